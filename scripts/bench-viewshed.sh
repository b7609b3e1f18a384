#!/usr/bin/env bash
# The visible-area map against its peer, in one run: bench_viewshed (optimised, no sanitizers)
# on level 1 of the sample block from the summit and from a valley, then GDAL's gdal_viewshed on
# the same grid (a GeoTIFF in a projected CRS with the same cell sizes, the same eye height and
# curvature coefficient 1 − 0.13), timed as whole commands (median of 9 runs after a warm-up),
# and the agreement of the two maps with each other and with the exact sight lines.
set -euo pipefail
cd "$(dirname "$0")/.."

# gdal_viewshed comes with Debian's gdal-bin; only this benchmark needs it.
command -v gdal_viewshed >/dev/null 2>&1 || scripts/install-deps.sh gdal-bin
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF -DORVANE_BENCH=ON >/dev/null
cmake --build build/bench -j"$(nproc)" --target bench_viewshed
bench=build/bench/bench/bench_viewshed
dir=$(mktemp -d /tmp/orvane-bench-viewshed.XXXXXX)
export QT_QPA_PLATFORM=offscreen

"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv \
  "$@" >"$dir/ours.csv"
"$bench" --write "$dir"
gdal_translate -q -ot Float32 -a_srs EPSG:6691 "$dir/level1.asc" "$dir/level1.tif"

median_ms() {  # the median wall time of a command in milliseconds, over 9 runs after one
  "$@" >/dev/null 2>&1
  for _ in 1 2 3 4 5 6 7 8 9; do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | sed -n 5p | awk '{printf "%.1f", $1 / 1000}'
}

# GDAL's viewshed in-process (its Python bindings, python3-gdal, come with gdal-bin), into
# memory: the median of 9 calls, the computation alone.
in_process() {  # x y eye
  /usr/bin/python3 - "$dir/level1.tif" "$@" <<'PY' 2>/dev/null || echo -
import sys, time
from osgeo import gdal
gdal.UseExceptions()
dataset = gdal.Open(sys.argv[1])  # kept: the band lives only as long as its dataset
band = dataset.GetRasterBand(1)
x, y, eye = map(float, sys.argv[2:5])
times = []
for _ in range(10):
    start = time.perf_counter()
    gdal.ViewshedGenerate(band, "MEM", "", [], x, y, eye, 0.0, 255, 0, -1, -1, 0.87, gdal.GVM_Edge, 0)
    times.append((time.perf_counter() - start) * 1000)
print("%.2f" % sorted(times[1:])[4])
PY
}

echo "Visible-area map of a 601 x 601 level, ms. ours: median of 5 repetitions, in-process;"
echo "GDAL in-process: its ViewshedGenerate into memory, median of 9 calls;"
echo "gdal_viewshed: median of 9 whole commands on the GeoTIFF, start-up and writing included"
printf '%-8s %10s %16s %14s\n' observer ours "GDAL in-process" gdal_viewshed
while read -r name x y eye; do
  ours=$(awk -F, -v n="\"BM_VisibleCells/${name}_median\"" '$1 == n { printf "%.2f", $3 }' "$dir/ours.csv")
  gdal=$(median_ms gdal_viewshed -q -ox "$x" -oy "$y" -oz "$eye" -tz 0 -cc 0.87 -vv 255 -iv 0 \
    "$dir/level1.tif" "$dir/gdal-$name.tif")
  gdal_translate -q -of AAIGrid "$dir/gdal-$name.tif" "$dir/gdal-$name.asc" 2>/dev/null
  printf '%-8s %10s %16s %14s\n' "$name" "$ours" "$(in_process "$x" "$y" "$eye")" "$gdal"
done <"$dir/observers.txt"
printf '%-8s %10s %16s %14s\n' start-up - - "$(median_ms gdalinfo --version)"
echo "(start-up: gdalinfo --version, GDAL's loading alone)"
awk -F, '$1 == "\"BM_TargetVisibleFromRoute_median\"" { gsub(/"/, "", $8); printf "summit seen from a route of 300 points: %.2f ms (%s)\n", $3, $8 }' "$dir/ours.csv"
echo
"$bench" --compare "$dir"
echo "files kept in $dir"
