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
test -f "$prefix/share/velmora-wizard/ID128.inf" && test -f "$prefix/share/velmora-wizard/cn128A.INF"
test -f "$prefix/share/doc/velmora-wizard/copyright"
window=$(ls "$prefix"/lib*/velmora-wizard/velmora-wizard-window)
"$window" --version | grep -q "velmora-wizard"
# A run with a window is handed to the window program, told where the data are.
printf '#!/bin/sh\necho "$VELMORA_DATA_DIR"\n' >"$prefix/fake-window" && chmod +x "$prefix/fake-window"
told=$(env -u VELMORA_DATA_DIR QT_QPA_PLATFORM=offscreen VELMORA_WINDOW_PROGRAM="$prefix/fake-window" \
       "$prefix/bin/velmora-wizard" run --doc "$source/examples/document.json")
[ "$told" = "$prefix/share/velmora-wizard" ] || { echo "the window program was told: $told"; exit 1; }
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
# The scanner plugin is found where it is installed, after the move too.
"$prefix.moved/bin/velmora-label" render "$source/examples/label-template.ufo" --set GTIN=09506000134352 \
  --set EXPIRY=271231 --set LOT=A1 --out "$prefix.moved/l.pdf" \
  --verify 2>/dev/null | grep -q "1 scanned back equal" || { echo "the installed label host did not scan back"; exit 1; }
echo "installed tree runs from $prefix and after a move"
