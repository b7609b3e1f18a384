#!/usr/bin/env bash
# Starts Orvane on a virtual display with a window manager, so it can be looked at as a user sees
# it: `scripts/look.sh` then `DISPLAY=:99 import -window root shot.png` (and xdotool to click).
# The program runs with a fresh home in /tmp/orvane-look unless ORVANE_LOOK_HOME names another.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
missing=()
for p in openbox xdotool x11-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF >/dev/null
cmake --build build/release --target orvane -j"$(nproc)"

export DISPLAY="${DISPLAY_LOOK:-:99}"
if ! xdpyinfo >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 "${ORVANE_LOOK_SCREEN:-1400x1000x24}" >/dev/null 2>&1 &
  sleep 1
  openbox >/dev/null 2>&1 &
  sleep 1
fi
home="${ORVANE_LOOK_HOME:-/tmp/orvane-look}"
mkdir -p "$home"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
  exec build/release/orvane "$@"
