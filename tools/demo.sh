#!/usr/bin/env bash
# Starts Halcyx with a settings file of its own, so the demo never touches the user's.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${HALCYX_BUILD:-$top/build}"
demo="${XDG_RUNTIME_DIR:-/tmp}/halcyx-demo-$(id -u)"
mkdir -p "$demo"
exec "$build/gui/halcyx" --settings "$demo/Halcyx.ini" "$@"
