#!/usr/bin/env bash
# Installs what is missing, builds Orvane and starts it. The bundled sample data (the Hidaka
# mountains) is offered as the mountain-name file and the elevation data folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF >/dev/null
cmake --build build/release --target orvane -j"$(nproc)"
exec build/release/orvane "$@"
