#!/usr/bin/env bash
# The installed tree works where it is put: cmake --install into a scratch
# prefix, then the headless demo from there, finding its data and writing the
# template; the prefix moved elsewhere still works.
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix" "$prefix.moved"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/velmora-wizard" && test -x "$prefix/bin/velmora-label"
test -f "$prefix/share/velmora-wizard/ID128.inf" && test -f "$prefix/share/velmora-wizard/gs1-syntax-dictionary.txt"
test -f "$prefix/share/doc/velmora-wizard/copyright"
ls "$prefix"/lib*/velmora-wizard/velmora-wizard-qt.so >/dev/null
run() {
  local root=$1
  cp -r "$source/examples/host" "$root/host"
  env -u VELMORA_DATA_DIR USER=tester "$root/bin/velmora-wizard" run --doc "$source/examples/document.json" \
    --script "$source/examples/worked-example.script" --host-dir "$root/host"
}
out=$(run "$prefix")
[ "$out" = "imported: $prefix/host/SYSTEM/128.ufo" ] || { echo "unexpected: $out"; exit 1; }
mv "$prefix" "$prefix.moved"
out=$(run "$prefix.moved")
[ "$out" = "imported: $prefix.moved/host/SYSTEM/128.ufo" ] || { echo "moved: unexpected: $out"; exit 1; }
echo "installed tree runs from $prefix and after a move"
