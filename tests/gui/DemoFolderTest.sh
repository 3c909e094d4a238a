#!/usr/bin/env bash
# The demo script gives every run a folder of its own, so two demos never share files.
# It runs the script twice on stand-ins for the simulator and the program.
set -euo pipefail
script="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/build/sim" "$work/build/gui" "$work/runtime"
cat >"$work/build/sim/halcyx-sim" <<'SIM'
#!/usr/bin/env bash
printf 'instrument: /dev/pts/98\ngps: /dev/pts/99\n'
exec sleep 30
SIM
cat >"$work/build/gui/halcyx" <<'PROGRAM'
#!/usr/bin/env bash
echo "settings: $2"
PROGRAM
chmod +x "$work/build/sim/halcyx-sim" "$work/build/gui/halcyx"

run() { HALCYX_BUILD="$work/build" XDG_RUNTIME_DIR="$work/runtime" "$script" ct; }
first="$(run)"
second="$(run)"
folder() { sed -n 's/^demo.sh: settings file and traffic log in //p' <<<"$1"; }
one="$(folder "$first")"
two="$(folder "$second")"
[ -n "$one" ] && [ -n "$two" ] || { echo "the demo did not say where its files are"; exit 1; }
[ "$one" != "$two" ] || { echo "both runs used $one"; exit 1; }
for dir in "$one" "$two"; do
    case "$dir" in "$work/runtime/"*) ;; *) echo "$dir is not under XDG_RUNTIME_DIR"; exit 1 ;; esac
    grep -q "settings: $dir/Halcyx.ini" <<<"$first$second" || { echo "no settings file in $dir"; exit 1; }
    grep -q 'COM1=/dev/pts/98' "$dir/Halcyx.ini" || { echo "$dir/Halcyx.ini lacks the port"; exit 1; }
done
echo "each run had its own folder"
