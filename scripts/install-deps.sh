#!/usr/bin/env bash
# Installs what building, running and testing Orvane needs on Debian 12 (bookworm) or later,
# and the packages named as arguments (what only one script needs).
# Safe to run again: packages already there are left as they are.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libbenchmark-dev
  libproj-dev proj-data libzip-dev libexpat1-dev libjpeg62-turbo-dev libfontconfig-dev
  fonts-noto-cjk qt6-translations-l10n
  xvfb xauth imagemagick
  # Japanese input (fcitx5; ibus's module comes with Qt) and Wayland desktops.
  fcitx5-frontend-qt6 qt6-wayland
  # The checks of the desktop files dist/ installs.
  desktop-file-utils appstream libxml2-utils shared-mime-info groff-base
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
