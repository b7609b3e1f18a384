#!/usr/bin/env bash
# Measures the start: from launching the program to its start menu window ("地域選択") being
# mapped on the display, beside an empty Qt widget window started the same way in the same run.
# Runs alternate between the two; the medians are printed against the targets. Then the peak
# memory of a plan opened on the sample block, at the route map.
#   scripts/bench-start.sh [RUNS]        (default 15; DISPLAY_BENCH picks the display, default :98)
#   scripts/bench-start.sh --stress N    N starts one after the other while every processor is
#                                        kept busy; counts the starts lost: the program died, or
#                                        its start menu was not mapped within 30 seconds
# The display is a bare Xvfb without a window manager, so a window is mapped as soon as the
# program asks for it and the timer sees it directly under the root.
set -euo pipefail
cd "$(dirname "$0")/.."
stress=0
if [ "${1:-}" = "--stress" ]; then
  stress="${2:?--stress wants the number of starts}"
  runs=0
else
  runs="${1:-15}"
fi

# The timer speaks to the X server directly; xdpyinfo tells whether the display is up.
scripts/install-deps.sh libx11-dev x11-utils
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF -DORVANE_BENCH=ON \
  "${launcher[@]}" >/dev/null
cmake --build build/bench --target orvane window_map_timer empty_window route_map_memory -j2 >/dev/null

export DISPLAY="${DISPLAY_BENCH:-:98}"
xvfb=""
if ! xdpyinfo >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 1400x1000x24 -noreset >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
home="$(mktemp -d /tmp/orvane-bench-start.XXXXXX)"
burners=()
cleanup() {
  for pid in "${burners[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
unset QT_QPA_PLATFORM

timer=build/bench/bench/window_map_timer

if [ "$stress" -gt 0 ]; then
  # One busy loop per processor, so the start's threads and the desktop connection compete
  # for them as on a loaded machine.
  for _ in $(seq "$(nproc)"); do
    ( while :; do :; done ) &
    burners+=("$!")
  done
  ulimit -c 0
  died=0; unmapped=0; walls=()
  for i in $(seq "$stress"); do
    set +e
    line="$("$timer" --timeout 30 "地域選択" build/bench/orvane 2>"$home/timer.err")"
    rc=$?
    set -e
    case "$rc" in
      0) walls+=("${line%% *}") ;;
      3) died=$((died + 1)); echo "start $i: $(cat "$home/timer.err")" ;;
      *) unmapped=$((unmapped + 1)); echo "start $i: $(cat "$home/timer.err")" ;;
    esac
    if [ $((i % 50)) -eq 0 ]; then
      echo "$i starts: $((died + unmapped)) lost ($died died, $unmapped not mapped); load average $(cut -d' ' -f1-3 /proc/loadavg)"
    fi
  done
  sorted="$(printf '%s\n' "${walls[@]}" | sort -g)"
  echo "stress: $stress starts with $(nproc) busy loops: $((died + unmapped)) lost ($died died, $unmapped not mapped within 30 s)"
  if [ "${#walls[@]}" -gt 0 ]; then
    echo "  start menu mapped after (ms): median $(echo "$sorted" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'), slowest $(echo "$sorted" | tail -1)"
  fi
  [ $((died + unmapped)) -eq 0 ]
  exit
fi
# One start of each first: the settings file is made, the libraries are in the page cache.
"$timer" "地域選択" build/bench/orvane >/dev/null
"$timer" "empty" build/bench/bench/empty_window >/dev/null

wall_p=(); cpu_p=(); wall_e=(); cpu_e=()
for _ in $(seq "$runs"); do
  read -r w c < <("$timer" "empty" build/bench/bench/empty_window)
  wall_e+=("$w"); cpu_e+=("$c")
  read -r w c < <("$timer" "地域選択" build/bench/orvane)
  wall_p+=("$w"); cpu_p+=("$c")
done

median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
echo "start to the window being mapped, median of $runs runs (ms); load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "(wall: what the user waits; CPU: the process's own user + system time, steadier on a busy machine)"
echo "  empty Qt widget window: wall $(median "${wall_e[@]}"), CPU $(median "${cpu_e[@]}")   (wall runs: ${wall_e[*]})"
echo "  start menu (地域選択):   wall $(median "${wall_p[@]}"), CPU $(median "${cpu_p[@]}")   (wall runs: ${wall_p[*]})"
for kind in wall CPU; do
  if [ "$kind" = wall ]; then p="$(median "${wall_p[@]}")"; e="$(median "${wall_e[@]}")"; else p="$(median "${cpu_p[@]}")"; e="$(median "${cpu_e[@]}")"; fi
  awk -v p="$p" -v e="$e" -v k="$kind" 'BEGIN {
    r = p / e
    printf "  %-4s start menu %.1f ms (target <= 150: %s), %.2f x the empty window (target <= 2.5: %s)\n",
           k, p, (p <= 150 ? "met" : "NOT met"), r, (r <= 2.5 ? "met" : "NOT met")
  }'
done

build/bench/bench/route_map_memory
