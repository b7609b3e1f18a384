#!/usr/bin/env bash
# Makes the icon's PNGs (16 to 256 px) from dist/icons/jp.orvane.Orvane.svg. The PNGs are kept in
# the repository, so building and installing need no converter; run this after changing the SVG.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/../scripts/install-deps.sh" librsvg2-bin >/dev/null
svg="$here/icons/jp.orvane.Orvane.svg"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$here/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" -o "$here/icons/${size}x${size}/jp.orvane.Orvane.png" "$svg"
done
