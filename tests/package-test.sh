#!/usr/bin/env bash
# The Debian package: built with cpack, unpacked into a scratch root (dpkg -x),
# the headless demo run from there; its control data, manual pages and licence.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(ls "$work"/out/velmora-wizard_*.deb)
dpkg-deb -f "$deb" Depends | grep -q libzint || { echo "Depends lacks libzint: $(dpkg-deb -f "$deb" Depends)"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libcups2 || { echo "Depends lacks libcups2, which printing opens: $(dpkg-deb -f "$deb" Depends)"; exit 1; }
! dpkg-deb -f "$deb" Depends | grep -q iso-codes || { echo "the code lists ship in the package: no iso-codes"; exit 1; }
dpkg -x "$deb" "$work/root"
root="$work/root/usr"
for f in bin/velmora-wizard bin/velmora-label share/velmora-wizard/ID128.inf share/velmora-wizard/iso-4217.tsv \
         share/velmora-wizard/iso-3166-1.tsv share/velmora-wizard/gs1-package-types.txt share/doc/velmora-wizard/copyright \
         share/man/man1/velmora-wizard.1 share/man/man1/velmora-label.1; do
  test -e "$root/$f" || { echo "missing /usr/$f"; exit 1; }
done
window=$(ls "$root"/lib*/velmora-wizard/velmora-wizard-window)
for program in "$root/bin/velmora-wizard" "$window"; do
  file "$program" | grep -q "stripped" && ! file "$program" | grep -q "not stripped"
done
grep -q "EXIT STATUS" "$root/share/man/man1/velmora-wizard.1"
cp -r "$source/examples/host" "$work/host"
out=$(env -u VELMORA_DATA_DIR USER=tester "$root/bin/velmora-wizard" run --doc "$source/examples/document.json" \
      --script "$source/examples/worked-example.script" --host-dir "$work/host")
[ "$out" = "imported: $work/host/SYSTEM/128.ufo" ] || { echo "unexpected: $out"; exit 1; }
echo "package $(basename "$deb") unpacks and runs"
