#!/usr/bin/env bash
# Writes the dialog gallery: for every example script that left pictures in SHOTS/<name>/,
# the LISP calls of the script that open dialogs and the pictures of what they opened, in
# the order they were taken. Pictures are copied to DOCS/pictures/<name>-<picture>.png and the
# page is DOCS/gallery.md. Run by ./run.sh after its headless tour.
#
#   scripts/gallery.sh [SHOTS [DOCS]]      (defaults: build/screenshots docs)
set -euo pipefail
cd "$(dirname "$0")/.."

shots=${1:-build/screenshots}
docs=${2:-docs}
[ -d "$shots" ] || { echo "gallery: no pictures in $shots (run ./run.sh without a display first)" >&2; exit 1; }
mkdir -p "$docs/pictures"
# Only what this run made: pictures of examples that no longer exist go.
rm -f "$docs"/pictures/*.png

# The forms of a LISP file that open dialogs, one per line with blanks collapsed, comments and
# strings respected.
dialog_calls() {
  awk '
    {
      line = $0; out = ""; instr = 0
      for (i = 1; i <= length(line); i++) {
        c = substr(line, i, 1)
        if (instr) {
          out = out c
          if (c == "\\") { i++; out = out substr(line, i, 1) }
          else if (c == "\"") instr = 0
          continue
        }
        if (c == ";") break
        if (c == "\"") instr = 1
        out = out c
      }
      text = text out " "
    }
    END {
      # Each mention of a dialog function (called, or quoted for a helper that calls it):
      # the innermost form around it.
      n = length(text); from = 1
      while ((off = index(substr(text, from), "Dlg_")) > 0) {
        p = from + off - 1; from = p + 4
        depth = 0; start = 0
        for (j = p - 1; j >= 1; j--) {
          c = substr(text, j, 1)
          if (c == ")") depth++
          else if (c == "(") { if (depth == 0) { start = j; break } depth-- }
        }
        if (start == 0) continue
        depth = 0; instr = 0; form = ""
        for (i = start; i <= n; i++) {
          c = substr(text, i, 1); form = form c
          if (instr) { if (c == "\\") { i++; form = form substr(text, i, 1) } else if (c == "\"") instr = 0; continue }
          if (c == "\"") instr = 1
          else if (c == "(") depth++
          else if (c == ")" && --depth == 0) break
        }
        gsub(/[ \t]+/, " ", form)
        if (!(form in seen)) { seen[form] = 1; print form }
      }
    }' "$1"
}

page=$docs/gallery.md
{
  echo "# Dialog gallery"
  echo
  echo "Every dialog as the example scripts open it: \`./run.sh\` without a display runs each"
  echo "examples/*.lsp in kvhost, its dialog script (examples/dialog-scripts/) does the person's part,"
  echo "and a picture is taken of each dialog and message box as it opens. Under each script: the"
  echo "LISP calls that open its dialogs, then the pictures in the order they were taken."
  for dir in "$shots"/*/; do
    name=$(basename "$dir")
    mapfile -t pictures < <(ls -1tr "$dir" | grep '\.png$' || true)
    [ ${#pictures[@]} -gt 0 ] || continue
    echo
    echo "## $name"
    echo
    script=examples/$name.lsp
    if [ -f "$script" ]; then
      echo "[examples/$name.lsp](../examples/$name.lsp)"
      calls=$(dialog_calls "$script")
      if [ -n "$calls" ]; then
        echo
        echo '```lisp'
        echo "$calls"
        echo '```'
      fi
    fi
    kept=()
    for p in "${pictures[@]}"; do
      # A dialog shown again unchanged (a cycle's next round) is pictured once.
      same=0
      for k in "${kept[@]}"; do cmp -s "$dir/$p" "$dir/$k" && same=1 && break; done
      [ "$same" = 0 ] || continue
      kept+=("$p")
      target=$name-$p
      cp "$dir/$p" "$docs/pictures/$target"
      echo
      echo "![${p%.png}](pictures/$target)"
      echo "*${p%.png}*"
    done
  done
} >"$page"
echo "Gallery: $page ($(ls -1 "$docs/pictures" | wc -l) pictures)"
