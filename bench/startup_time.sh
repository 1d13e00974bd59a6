#!/usr/bin/env bash
# Start-up time of the game: from the exec of the engine to the end of its
# first buffer swap (the first picture), on one monotonic clock. Starts the
# engine RUNS times in a scratch copy of the game folder under one private
# Xvfb and ends each run after its first frame.
#
#   bench/startup_time.sh BUILD_DIR [RUNS] [ENGINE]
#     RUNS defaults to 7; ENGINE is korvane (default) or another build
#     bench/engine_run.sh knows, such as bare_window (the driver's floor)
# Prints: startup_median_ms startup_min_ms startup_max_ms (wall time) and
# startup_cpu_median_ms (processor time of all the engine's threads up to the
# first picture, which the machine's load disturbs less), runs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/support/xvfb.sh"
source "$here/support/game_copy.sh"

build=$(cd "$1" && pwd); runs=${2:-7}; engine=${3:-korvane}
binary=$(engine_binary "$build" "$engine") || exit 2
probe=$build/bench/libframe_probe.so
clock=$build/bench/exec_clock

scratch=$(mktemp -d /tmp/korvane-bench-XXXXXX)
cleanup() {
  local status=$?
  set +e
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  stop_xvfb
  rm -rf "$scratch"
  exit "$status"
}
trap cleanup EXIT INT TERM

copy_game_with_engine "$build" "$binary" "$scratch"
start_xvfb
cd "$scratch/game"

for run in $(seq "$runs"); do
  rm -f "$scratch/frames.log" "$scratch/exec_time"
  KORVANE_FRAME_LOG=$scratch/frames.log LD_PRELOAD=$probe "$clock" "$scratch/exec_time" ./engine bench \
    >/dev/null 2>&1 &
  game_pid=$!
  for _ in $(seq 1000); do [ -s "$scratch/frames.log" ] && break; sleep 0.01; done
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
  if [ ! -s "$scratch/frames.log" ]; then
    echo "run $run: no frame within 10 s" >&2
    exit 1
  fi
  read -r first_frame first_frame_cpu _ < "$scratch/frames.log"
  echo "$(( first_frame - $(cat "$scratch/exec_time") )) $first_frame_cpu"
  sleep 0.5
done > "$scratch/startups"
# Wall time and processor time (all threads, up to the first picture) sorted apart.
wall=($(awk '{print $1}' "$scratch/startups" | sort -n))
cpu=($(awk '{print $2}' "$scratch/startups" | sort -n))
middle=$(( (${#wall[@]} - 1) / 2 ))
awk -v median="${wall[$middle]}" -v low="${wall[0]}" -v high="${wall[-1]}" -v cpu="${cpu[$middle]}" -v runs="${#wall[@]}" 'BEGIN {
  printf "startup_median_ms=%.1f startup_min_ms=%.1f startup_max_ms=%.1f startup_cpu_median_ms=%.1f runs=%d\n",
         median / 1000, low / 1000, high / 1000, cpu / 1000, runs
}'
