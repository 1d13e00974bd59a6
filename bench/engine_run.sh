#!/usr/bin/env bash
# Runs an engine build in a scratch copy of the game folder under a private
# Xvfb, optionally presses keys to reach a screen, then measures for a while:
# processor use (share of one core), frames a second and the 99th percentile of
# the interval between frames (from the swap-time probe), and peak resident memory.
#
#   bench/engine_run.sh BUILD_DIR ENGINE SECONDS [KEY ...]
#     ENGINE   korvane (the game) or korvane_spinning (busy-waiting idle, for comparison)
#     KEY      xdotool key names pressed in order before measuring (e.g. Escape);
#              "wait:N" waits N seconds instead
# Prints one line: engine=... cpu_percent=... fps=... p99_interval_ms=... peak_rss_mb=...
set -euo pipefail
build=$(cd "$1" && pwd); engine=$2; seconds=$3; shift 3

binary=$build/game/korvane
[ "$engine" = korvane_spinning ] && binary=$build/bench/korvane_spinning
probe=$build/bench/libframe_probe.so

scratch=$(mktemp -d /tmp/korvane-bench-XXXXXX)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

cp -r "$build/game" "$scratch/game"
rm -f "$scratch/game/settings.cfg"
cp "$binary" "$scratch/game/engine"

exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 800x600x24 -ardelay 10000 -nolisten tcp -ac -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 10 display_number <&3
export DISPLAY=:$display_number

cd "$scratch/game"
KORVANE_FRAME_LOG=$scratch/frames.log LD_PRELOAD=$probe ./engine bench >/dev/null 2>&1 &
game_pid=$!
for _ in $(seq 100); do [ -s "$scratch/frames.log" ] && break; sleep 0.05; done

for key in "$@"; do
  case $key in
    wait:*) sleep "${key#wait:}" ;;
    *) xdotool keydown "$key"; sleep 0.12; xdotool keyup "$key"; sleep 0.2 ;;
  esac
done
sleep 1  # let the screen settle (first-frame loads)

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
start_ticks=$(cpu_ticks)
start_line=$(wc -l < "$scratch/frames.log")
sleep "$seconds"
end_ticks=$(cpu_ticks)
peak_rss_kb=$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")
tail -n +"$((start_line + 1))" "$scratch/frames.log" > "$scratch/window.log"

frames=$(wc -l < "$scratch/window.log")
span_us=$(( $(tail -n 1 "$scratch/window.log") - $(head -n 1 "$scratch/window.log") ))
awk 'NR > 1 { print ($1 - previous) / 1000.0 } { previous = $1 }' "$scratch/window.log" | sort -n > "$scratch/intervals"
intervals=$(wc -l < "$scratch/intervals")
p99=$(sed -n "$(( (99 * (intervals - 1)) / 100 + 1 ))p" "$scratch/intervals")
awk -v engine="$engine" -v cpu_ticks=$((end_ticks - start_ticks)) -v hz="$ticks_per_second" \
    -v seconds="$seconds" -v rss="$peak_rss_kb" -v frames="$frames" -v span="$span_us" -v p99="$p99" 'BEGIN {
  printf "engine=%s cpu_percent=%.1f fps=%.2f p99_interval_ms=%.1f peak_rss_mb=%.1f\n",
         engine, 100.0 * cpu_ticks / hz / seconds, (frames - 1) / (span / 1e6), p99, rss / 1024.0
}'
