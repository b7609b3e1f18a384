#!/usr/bin/env bash
# Builds the readers' libFuzzer programs with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each target in turn on one core.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# New coverage goes to build/fuzz/corpus/<target>; the seeds in fuzz/corpus/<target> are only
# read. An input that crashes a reader, hangs it or breaks one of its checks is left in
# build/fuzz/findings/<target>; once the reader is fixed, keep it in tests/fixtures/fuzz/<target>
# so the normal tests replay it. Not part of CI: a run takes as long as it is given.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true

# clang and its fuzzer runtime are only needed here.
scripts/install-deps.sh clang libclang-rt-14-dev

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
  -DCMAKE_CXX_COMPILER=clang++ -DORVANE_FUZZ=ON -DORVANE_TESTS=OFF >/dev/null
cmake --build build/fuzz --target fuzzers -j"$(nproc)"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for program in build/fuzz/fuzz/fuzz_*; do
    [ -f "$program" ] && [ -x "$program" ] && targets+=("${program##*/fuzz_}")
  done
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

summary=()
failed=0
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/")
  [ -f "fuzz/dict/$target.dict" ] && options+=(-dict="fuzz/dict/$target.dict")
  log=build/fuzz/$target.log
  echo "== $target (${seconds} s)"
  if ! build/fuzz/fuzz/fuzz_"$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    failed=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  units=$(find "$corpus" -type f | wc -l)
  found=$(find "$findings" -type f | wc -l)
  summary+=("$(printf '%-15s %10s runs %8s/s %6s in corpus %4s found' "$target" "${runs:-?}" "${rate:-?}" "$units" "$found")")
  [ "$found" -eq 0 ] || tail -n 40 "$log"
done

printf '%s\n' "${summary[@]}"
exit $failed
