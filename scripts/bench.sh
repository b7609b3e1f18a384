#!/usr/bin/env bash
# Builds the benchmarks optimised (no sanitizers) and runs them on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")/.."

# gdaldem (Debian's gdal-bin) is what the map benchmark compares its pictures with; only the
# benchmarks need it, so it is installed here rather than with the build dependencies.
scripts/install-deps.sh gdal-bin
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF -DORVANE_BENCH=ON >/dev/null
cmake --build build/bench -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
for b in build/bench/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
