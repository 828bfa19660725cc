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
for f in bin/velmora-wizard bin/velmora-label share/velmora-wizard/ID128.inf share/velmora-wizard/cn128B.INF \
         share/doc/velmora-wizard/copyright \
         share/doc/velmora-wizard/changelog.gz share/man/man1/velmora-wizard.1.gz share/man/man1/velmora-label.1.gz \
         share/doc/velmora-wizard/examples/label-template.ufo share/doc/velmora-wizard/examples/label-example.png; do
  test -e "$root/$f" || { echo "missing /usr/$f"; exit 1; }
done
window=$(ls "$root"/lib*/velmora-wizard/velmora-wizard-window)
for program in "$root/bin/velmora-wizard" "$window"; do
  file "$program" | grep -q "stripped" && ! file "$program" | grep -q "not stripped"
done
# Each manual page names every option of every command its program has, its
# exit statuses and environment, and man reads it without a warning.
for program in velmora-wizard velmora-label; do
  page="$root/share/man/man1/$program.1.gz"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$work/man-warnings")
  [ ! -s "$work/man-warnings" ] || { echo "$program.1: $(cat "$work/man-warnings")"; exit 1; }
  sections=("EXIT STATUS" ENVIRONMENT COMMANDS)
  [ "$program" = velmora-wizard ] && sections+=("ACTION SCRIPTS" "HOST DOCUMENT")
  [ "$program" = velmora-label ] && sections+=("LABEL DOCUMENT")
  for section in "${sections[@]}"; do
    grep -q "^$section" <<<"$text" || { echo "$program.1 has no $section"; exit 1; }
  done
  commands=$("$root/bin/$program" --help | sed -n '/^Subcommands:/,$p' | awk '/^  [a-z]/ {print $1}')
  for command in $commands; do
    grep -q "^   $program $command" <<<"$text" || { echo "$program.1 lacks the command $command"; exit 1; }
    for option in $("$root/bin/$program" "$command" --help | grep -oE '^  +--[a-z-]+' | grep -v -- --help); do
      grep -qE "^ +$option( |\$)" <<<"$text" || { echo "$program.1 lacks $command $option"; exit 1; }
    done
  done
done
# Debian's own checks of the package, where lintian is installed.
if command -v lintian >/dev/null; then
  findings=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1) || { echo "lintian: $findings"; exit 1; }
fi
cp -r "$source/examples/host" "$work/host"
out=$(env -u VELMORA_DATA_DIR USER=tester "$root/bin/velmora-wizard" run --doc "$source/examples/document.json" \
      --script "$source/examples/worked-example.script" --host-dir "$work/host")
[ "$out" = "imported: $work/host/SYSTEM/128.ufo" ] || { echo "unexpected: $out"; exit 1; }
echo "package $(basename "$deb") unpacks and runs"
