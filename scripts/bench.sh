#!/usr/bin/env bash
# Builds the benchmarks optimised (no sanitizers) and runs them on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF -DORVANE_BENCH=ON >/dev/null
cmake --build build/bench -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
for b in build/bench/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
