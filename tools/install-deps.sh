#!/usr/bin/env bash
# Installs what Halcyx needs to build, test and run on Debian 12, and nothing when it is
# all there already. Runs as root, or through sudo otherwise.
set -euo pipefail

packages=(
    cmake make g++ pkg-config git
    qt6-base-dev qt6-base-dev-tools libqt6svg6
    libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2
    xdg-utils
    poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
