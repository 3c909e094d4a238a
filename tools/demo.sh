#!/usr/bin/env bash
# Starts Halcyx on a simulated instrument (COM1) and GPS receiver (COM2), with a settings
# file of its own, so the demo never touches the user's settings or serial ports. Each run
# gets a fresh folder for its settings file and traffic log, so that two demos started at
# once never overwrite each other's files; the folder stays for a look after the run.
#
#   tools/demo.sh [vexa2|vexa3|ct|p|cond|temp|pres] [halcyx options...]
#
# The model may also come from HALCYX_DEMO_MODEL; the default is a Vexa 3. cond, temp and
# pres put a conductivity, temperature or pressure module on COM1 (the Vexa 3 moves to COM3)
# for module acquisition ("File", "Module Acquisition").
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${HALCYX_BUILD:-$top/build}"

model="${HALCYX_DEMO_MODEL:-vexa3}"
case "${1:-}" in
vexa2 | vexa3 | ct | p | cond | temp | pres)
    model="$1"
    shift
    ;;
esac
module=""
case "$model" in
vexa2 | vexa3 | ct | p) ;;
cond | temp | pres)
    module="$model"
    model=vexa3
    ;;
*)
    echo "demo.sh: unknown model '$model' (choose vexa2, vexa3, ct, p, cond, temp or pres)" >&2
    exit 2
    ;;
esac

demo="$(mktemp -d "${XDG_RUNTIME_DIR:-/tmp}/halcyx-demo.XXXXXX")"
echo "demo.sh: settings file and traffic log in $demo"
paths="$demo/sim-ports"
: >"$paths"
"$build/sim/halcyx-sim" --model "$model" --gps ${module:+--module "$module"} \
    --log "$demo/traffic.log" >"$paths" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

wanted=$([ -n "$module" ] && echo 3 || echo 2)
for _ in $(seq 50); do
    [ "$(grep -c ': /' "$paths")" -ge "$wanted" ] && break
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
if [ -n "$module" ]; then
    modulePath="$(sed -n 's/^module: //p' "$paths")"
    ports=("COM1=$modulePath" "COM2=$gps" "COM3=$instrument")
    check=0 # the module on COM1 is no instrument to look for
else
    ports=("COM1=$instrument" "COM2=$gps")
    check=1
fi
printf '%s\r\n' \
    "[PORTS]" "${ports[@]}" \
    "[COMMPORT]" "Port=1" "Baudrate=9600" \
    "[NAVCOMMPORT]" "Enable=1" "Port=2" "Baudrate=9600" \
    "EnableTimeStamp=1" "PCTime=0" "GPSTime=1" \
    "[PGRAPH1]" "Enable=1" "HighPres=200.0" "ParamIndex=1" "LowThres=30.0" "HighThres=60.0" \
    "[PGRAPH2]" "Enable=1" "HighPres=200.0" "ParamIndex=2" "LowThres=5.0" "HighThres=20.0" \
    "[PGRAPH3]" "Enable=1" "HighPres=200.0" "ParamIndex=4" "LowThres=30.0" "HighThres=36.0" \
    "[PGRAPH4]" "Enable=1" "HighPres=200.0" "ParamIndex=5" "LowThres=1470.0" \
    "HighThres=1520.0" \
    "[YAXIS]" "Y.Max=250" \
    "[SETTINGS]" "CheckInt=$check" >"$demo/Halcyx.ini"

"$build/gui/halcyx" --settings "$demo/Halcyx.ini" "$@"
