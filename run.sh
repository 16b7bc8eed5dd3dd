#!/usr/bin/env bash
# Installs what is missing, builds, and starts kvhost with the module loaded on one
# document. Without a display it runs headless: it evaluates the example scripts,
# prints what they evaluated and leaves screenshots of the dialogs they opened.
set -euo pipefail
cd "$(dirname "$0")"

scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${KV_JOBS:-2}" --target kvhost KorvaneLisp

headless=0
case "${QT_QPA_PLATFORM:-}" in
  offscreen*|minimal*) headless=1 ;;
  "") [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && headless=1 ;;
esac
if [ "$headless" = 1 ]; then
  echo "run.sh: no display found; running kvhost headless (offscreen) on the examples."
  shots=build/screenshots
  mkdir -p "$shots"
  status=0
  for script in examples/*.lsp; do
    [ -e "$script" ] || continue
    echo "== $script"
    # An example may say on a line of its own how it is run here:
    #   "; run.sh: ARGUMENTS" gives kvhost these instead of --auto-close (a dialog script
    #   that does a person's work, the drawings to open); "; run.sh-input: FILE" gives the
    #   prompts these answers instead of none.
    read -r -a arguments <<<"$(sed -n 's/^; run\.sh: //p' "$script" | head -n 1)"
    [ "${#arguments[@]}" -gt 0 ] || arguments=(--auto-close)
    input=$(sed -n 's/^; run\.sh-input: //p' "$script" | head -n 1)
    build/bin/kvhost --screenshot-dir "$shots/$(basename "$script" .lsp)" "${arguments[@]}" --script "$script" \
      <"${input:-/dev/null}" || status=$?
  done
  echo "Screenshots of the dialogs: $shots"
  exit $status
fi

exec build/bin/kvhost "$@"
