#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running kvhost need,
# and only those that are missing. Quiet and quick when everything is present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qtbase5-dev qttools5-dev qttools5-dev-tools
  poppler-utils
  libkf5syntaxhighlighting-dev
  binutils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
