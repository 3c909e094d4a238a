#!/usr/bin/env bash
# Starts Halcyx on a simulated instrument (COM1) and GPS receiver (COM2), with a settings
# file of its own, so the demo never touches the user's settings or serial ports. Each run
# gets a fresh folder for its settings file and traffic log, so that two demos started at
# once never overwrite each other's files; the folder stays for a look after the run.
#
#   tools/demo.sh [vexa2|vexa3|ct|p] [halcyx options...]
#
# The model may also come from HALCYX_DEMO_MODEL; the default is a Vexa 3.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${HALCYX_BUILD:-$top/build}"

model="${HALCYX_DEMO_MODEL:-vexa3}"
case "${1:-}" in
vexa2 | vexa3 | ct | p)
    model="$1"
    shift
    ;;
esac
case "$model" in
vexa2 | vexa3 | ct | p) ;;
*)
    echo "demo.sh: unknown model '$model' (choose vexa2, vexa3, ct or p)" >&2
    exit 2
    ;;
esac

demo="$(mktemp -d "${XDG_RUNTIME_DIR:-/tmp}/halcyx-demo.XXXXXX")"
echo "demo.sh: settings file and traffic log in $demo"
paths="$demo/sim-ports"
: >"$paths"
"$build/sim/halcyx-sim" --model "$model" --gps --log "$demo/traffic.log" >"$paths" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
    [ "$(grep -c ': /' "$paths")" -ge 2 ] && break
    kill -0 "$sim" 2>/dev/null || break
    sleep 0.1
done
instrument="$(sed -n 's/^instrument: //p' "$paths")"
gps="$(sed -n 's/^gps: //p' "$paths")"
if [ -z "$instrument" ] || [ -z "$gps" ]; then
    echo "demo.sh: the simulator did not start ($build/sim/halcyx-sim)" >&2
    exit 1
fi

# The settings file uses CR LF line ends, as the program writes it. The profile graph's
# depth axis reaches just past the simulated casts' 200 dbar. Towed acquisition stamps its
# records with the receiver's position and time, and shows four pressure graphs coloured by
# conductivity, temperature, salinity and sound velocity (positions 1, 2, 4 and 5 of a
# Vexa's channel list).
printf '%s\r\n' \
    "[PORTS]" "COM1=$instrument" "COM2=$gps" \
    "[COMMPORT]" "Port=1" "Baudrate=9600" \
    "[NAVCOMMPORT]" "Enable=1" "Port=2" "Baudrate=9600" \
    "EnableTimeStamp=1" "PCTime=0" "GPSTime=1" \
    "[PGRAPH1]" "Enable=1" "HighPres=200.0" "ParamIndex=1" "LowThres=30.0" "HighThres=60.0" \
    "[PGRAPH2]" "Enable=1" "HighPres=200.0" "ParamIndex=2" "LowThres=5.0" "HighThres=20.0" \
    "[PGRAPH3]" "Enable=1" "HighPres=200.0" "ParamIndex=4" "LowThres=30.0" "HighThres=36.0" \
    "[PGRAPH4]" "Enable=1" "HighPres=200.0" "ParamIndex=5" "LowThres=1470.0" \
    "HighThres=1520.0" \
    "[YAXIS]" "Y.Max=250" \
    "[SETTINGS]" "CheckInt=1" >"$demo/Halcyx.ini"

"$build/gui/halcyx" --settings "$demo/Halcyx.ini" "$@"
