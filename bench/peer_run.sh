#!/usr/bin/env bash
# Runs another installed game under a private Xvfb, lets it settle in its main
# menu, and measures it the way engine_run.sh measures ours: processor use over
# the window (share of one core, every thread) and peak resident memory.
#
#   bench/peer_run.sh PROGRAM SECONDS [SETTLE_SECONDS]   (default 3: splash screens pass)
#
# The program runs with a scratch HOME (its settings and scores stay out of the
# user's) and SDL's dummy audio driver, so it mixes sound as ours does on a
# machine with no sound card. Prints one line of name=value pairs:
# program seconds cpu_percent peak_rss_mb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/support/xvfb.sh"

program=$1; seconds=$2
settle_seconds=${3:-3}  # title screens and loading, before the menu stands still

scratch=$(mktemp -d /tmp/korvane-peer-XXXXXX)
cleanup() {
  local status=$?
  set +e
  if [ -n "${peer_pid:-}" ]; then kill "$peer_pid" 2>/dev/null && wait "$peer_pid" 2>/dev/null; fi
  stop_xvfb
  rm -rf "$scratch"
  exit "$status"
}
trap cleanup EXIT INT TERM

start_xvfb
cd "$scratch"
HOME=$scratch SDL_AUDIODRIVER=dummy "$program" >/dev/null 2>&1 < /dev/null &
peer_pid=$!
sleep "$settle_seconds"
if [ ! -r "/proc/$peer_pid/stat" ]; then
  echo "$program ended before it was measured" >&2
  exit 1
fi

cpu_ticks() { awk '{print $14 + $15}' "/proc/$peer_pid/stat"; }
start_ticks=$(cpu_ticks)
started=$(date +%s%N)
sleep "$seconds"
end_ticks=$(cpu_ticks)
ended=$(date +%s%N)
peak_rss_kb=$(awk '/VmHWM/ {print $2}' "/proc/$peer_pid/status")
# PEER_SCREENSHOT=FILE.xwd keeps a picture of what was measured, to check it was the menu.
[ -n "${PEER_SCREENSHOT:-}" ] && xwd -root -silent > "$PEER_SCREENSHOT"

awk -v program="$(basename "$program")" -v ticks=$((end_ticks - start_ticks)) -v hz="$(getconf CLK_TCK)" \
    -v ns=$((ended - started)) -v peak_rss="$peak_rss_kb" 'BEGIN {
  seconds = ns / 1e9
  printf "program=%s seconds=%.1f cpu_percent=%.1f peak_rss_mb=%.1f\n",
         program, seconds, 100.0 * ticks / hz / seconds, peak_rss / 1024.0 }'
