#!/usr/bin/env bash
# Runs an engine build in a scratch copy of the game folder under a private
# Xvfb, follows a script of key presses, and measures one window of it:
# processor use (share of one core, every thread of the process), frames a
# second, the median and 99th percentile of the interval between frames (from
# the swap-time probe), and memory (peak and current resident set, its private
# anonymous part, the proportional share).
#
#   bench/engine_run.sh BUILD_DIR ENGINE ACTION ...
#     ENGINE  korvane           the game as players run it
#             korvane_spinning  the game with a busy-waiting idle callback
#             korvane_at_nav2   the game with its main loop starting in NAV 2
#             bare_window       an empty window cleared and swapped 25 times a second
#     ACTION  KEY               an xdotool key name, pressed and released (held 0.12 s)
#             wait:S            wait S seconds
#             fire:S            full guns, then a shot every 0.2 s for S seconds
#             measure:S         the measured window, S seconds (exactly one)
#             measure-firing:S  the same while firing as fire:S does
# Memory is read after the last action, so actions after the window count
# towards the peak.
#
# Prints one line of name=value pairs: cpu_percent fps median_interval_ms
# p99_interval_ms frames play_frames (stage frames with a living player; "-"
# for builds that do not export the state) peak_rss_mb rss_mb peak_anon_mb
# anon_mb pss_mb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/support/xvfb.sh"
source "$here/support/game_copy.sh"

build=$(cd "$1" && pwd); engine=$2; shift 2

binary=$(engine_binary "$build" "$engine") || exit 2
probe=$build/bench/libframe_probe.so

scratch=$(mktemp -d /tmp/korvane-bench-XXXXXX)
cleanup() {
  local status=$?
  set +e
  for pid in ${sampler_pid:-} ${game_pid:-}; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  stop_xvfb
  rm -rf "$scratch"
  exit "$status"
}
trap cleanup EXIT INT TERM

copy_game_with_engine "$build" "$binary" "$scratch"
start_xvfb

cd "$scratch/game"
KORVANE_FRAME_LOG=$scratch/frames.log LD_PRELOAD=$probe ./engine bench >/dev/null 2>&1 &
game_pid=$!
for _ in $(seq 200); do [ -s "$scratch/frames.log" ] && break; sleep 0.05; done
if [ ! -s "$scratch/frames.log" ]; then
  echo "the engine drew no frame" >&2
  exit 1
fi

# The private anonymous memory peaks between reads of /proc; sample it.
(
  peak=0
  while [ -r "/proc/$game_pid/status" ]; do
    anon=$(awk '/RssAnon/ {print $2}' "/proc/$game_pid/status" 2>/dev/null || echo 0)
    [ "${anon:-0}" -gt "$peak" ] && peak=$anon && echo "$peak" > "$scratch/peak_anon"
    sleep 0.25
  done
) &
sampler_pid=$!

press() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.2; }
fire_for() {
  local until=$(( $(date +%s%N) + ${1%.*} * 1000000000 ))
  press f
  while [ "$(date +%s%N)" -lt "$until" ]; do
    xdotool keydown space; sleep 0.08; xdotool keyup space; sleep 0.12
  done
}

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
measure() {  # SECONDS FIRING
  sleep 1  # the screen's first frames load pictures and songs
  start_ticks=$(cpu_ticks)
  start_line=$(wc -l < "$scratch/frames.log")
  local started=$(date +%s%N)
  if [ "$2" = yes ]; then fire_for "$1"; else sleep "$1"; fi
  end_ticks=$(cpu_ticks)
  end_line=$(wc -l < "$scratch/frames.log")
  window_seconds=$(awk -v ns=$(( $(date +%s%N) - started )) 'BEGIN {print ns / 1e9}')
}

for action in "$@"; do
  case $action in
    wait:*) sleep "${action#wait:}" ;;
    fire:*) fire_for "${action#fire:}" ;;
    measure:*) measure "${action#measure:}" no ;;
    measure-firing:*) measure "${action#measure-firing:}" yes ;;
    *) press "$action" ;;
  esac
done
if [ -z "${start_ticks:-}" ]; then
  echo "no measure action" >&2
  exit 2
fi

status=/proc/$game_pid/status
peak_rss_kb=$(awk '/VmHWM/ {print $2}' "$status")
rss_kb=$(awk '/VmRSS/ {print $2}' "$status")
anon_kb=$(awk '/RssAnon/ {print $2}' "$status")
pss_kb=$(awk '/^Pss:/ {print $2}' "/proc/$game_pid/smaps_rollup")
peak_anon_kb=$(cat "$scratch/peak_anon" 2>/dev/null || echo "$anon_kb")
[ "$anon_kb" -gt "$peak_anon_kb" ] && peak_anon_kb=$anon_kb

sed -n "$((start_line + 1)),${end_line}p" "$scratch/frames.log" > "$scratch/window.log"
awk 'NR > 1 { print ($1 - previous) / 1000.0 } { previous = $1 }' "$scratch/window.log" | sort -n > "$scratch/intervals"
awk -v engine="$engine" -v cpu_ticks=$((end_ticks - start_ticks)) -v hz="$ticks_per_second" \
    -v seconds="$window_seconds" -v peak_rss="$peak_rss_kb" -v rss="$rss_kb" -v peak_anon="$peak_anon_kb" \
    -v anon="$anon_kb" -v pss="$pss_kb" -v intervals="$scratch/intervals" '
  { frames++; if (NR == 1) first = $1; last = $1
    if (NF >= 4) { logged = 1; if (($3 == 2 || $3 == 3) && $4 == 0) play++ } }
  END {
    n = 0
    while ((getline value < intervals) > 0) sorted[n++] = value
    median = n ? sorted[int((n - 1) / 2)] : 0
    p99 = n ? sorted[int(99 * (n - 1) / 100)] : 0
    span = (last - first) / 1e6
    fps = span > 0 ? (frames - 1) / span : 0
    play_text = logged ? sprintf("%d", play) : "-"
    printf "engine=%s seconds=%.1f cpu_percent=%.1f fps=%.2f median_interval_ms=%.1f p99_interval_ms=%.1f frames=%d play_frames=%s peak_rss_mb=%.1f rss_mb=%.1f peak_anon_mb=%.1f anon_mb=%.1f pss_mb=%.1f\n",
           engine, seconds, 100.0 * cpu_ticks / hz / seconds, fps, median, p99,
           frames, play_text, peak_rss / 1024.0, rss / 1024.0, peak_anon / 1024.0, anon / 1024.0,
           pss / 1024.0
  }' "$scratch/window.log"
