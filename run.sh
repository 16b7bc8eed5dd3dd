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
    name=$(basename "$script" .lsp)
    echo "== $script"
    # A script names the drawings it works on in a line ";; drawings: FILE...".
    drawings=$(sed -n 's/^;; drawings: //p' "$script" | head -n 1)
    dialogs=examples/dialog-scripts/$name.txt
    if [ -f "$dialogs" ]; then
      # Its dialog script does the person's part in the dialogs, NAME.answers answers its
      # prompts, and a fresh user folder keeps one run from meeting the files of another.
      answers=examples/dialog-scripts/$name.answers
      [ -f "$answers" ] || answers=/dev/null
      user=$PWD/build/example-users/$name
      rm -rf "$user"
      # shellcheck disable=SC2086 # the drawings are separate words
      build/bin/kvhost --user-folder "$user" --screenshot-dir "$shots/$name" --dialog-script "$dialogs" \
        --script "$script" $drawings <"$answers" || status=$?
    else
      # shellcheck disable=SC2086
      build/bin/kvhost --screenshot-dir "$shots/$name" --auto-close --script "$script" $drawings </dev/null || status=$?
    fi
  done
  echo "Screenshots of the dialogs: $shots"
  # The gallery page of those pictures, with the LISP calls that opened them.
  scripts/gallery.sh "$shots" docs || status=$?
  # The main window as a person sees it after a few lines of LISP on a drawing.
  user=$PWD/build/example-users/main-window
  rm -rf "$user"
  build/bin/kvhost --user-folder "$user" --window-picture docs/pictures/main-window.png \
    --eval '(princ "Korvane LISP module loaded.")' --eval '(tblsearch "BLOCK" "DOOR")' \
    --eval '(getvar "CLAYER")' examples/drawings/blocks.dxf </dev/null >/dev/null || status=$?
  exit $status
fi

exec build/bin/kvhost "$@"
