#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer. Non-zero exit on any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/bootstrap.sh

jobs=${KV_JOBS:-2}
export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME || true

build_and_test() {
  local dir=$1; shift
  echo "== configure $dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  echo "== build $dir"
  cmake --build "$dir" -j "$jobs"
  echo "== test $dir"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 300)
}

build_and_test build
if [ "${KV_SKIP_SANITIZERS:-0}" != "1" ]; then
  # Any sanitizer report aborts the test that made it, so ctest sees it as a failure.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  build_and_test build-asan -DKV_SANITIZE=ON
fi
echo "== all tests passed"
