#!/bin/sh
# Installs the build folder given as $1 into a temporary prefix and checks that the
# installed kvhost runs on its own: it finds the module and its libraries inside the
# prefix (never in the build folder), lists the 43 functions and runs an installed example.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "install_and_run: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
kvhost=$prefix/bin/kvhost
[ -x "$kvhost" ] || fail "no kvhost under $prefix/bin"
module=$(find "$prefix" -name libKorvaneLisp.so | head -n 1)
[ -n "$module" ] || fail "no module under $prefix"
[ -f "$prefix/share/applications/kvhost.desktop" ] || fail "no desktop entry"
[ -f "$prefix/share/icons/hicolor/scalable/apps/kvhost.svg" ] || fail "no icon"
[ -f "$prefix/share/korvane/examples/hello.lsp" ] || fail "no examples"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$prefix/share/applications/kvhost.desktop"
fi

# The installed programs must not lean on the build folder for anything.
for binary in "$kvhost" "$module"; do
  if ldd "$binary" | grep -F "$build" >/dev/null; then
    ldd "$binary" >&2
    fail "$binary resolves a library in the build folder"
  fi
done
ldd "$kvhost" | grep -F "$prefix" >/dev/null || fail "kvhost does not find the platform library in the prefix"

export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
count=$("$kvhost" --user-folder "$work/user" --list-functions | grep -c .)
[ "$count" = 43 ] || fail "the installed kvhost lists $count functions, not 43"
out=$("$kvhost" --user-folder "$work/user" --auto-close --script "$prefix/share/korvane/examples/hello.lsp" </dev/null 2>&1) \
  || { echo "$out" >&2; fail "the installed example did not run"; }
echo "installed into $prefix: kvhost, module, examples and desktop entry work"
