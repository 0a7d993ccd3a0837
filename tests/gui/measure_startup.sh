#!/usr/bin/env bash
# Measures how fast the calculator maps its first window and how much memory it
# holds, under Xvfb with no window manager. Not a test: it prints figures.
#   tests/gui/measure_startup.sh [path/to/calculator] [runs]
# Method: one idle X client stays connected for the whole run (otherwise Xvfb resets
# between clients and every connection costs more); the program is launched and
# `xdotool search --onlyvisible --pid` is polled every 10 ms until its window is
# mapped; the CPU time the process used until then comes from /proc/PID/stat, and
# resident memory (VmRSS) is read from /proc/PID/status one second later.
set -euo pipefail
prog=$(readlink -f "${1:-build/calculator}")
runs=${2:-10}
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# The idle client: xclip keeps serving its selection until the display goes away.
printf keep | xclip -selection secondary -quiet >/dev/null 2>&1 &
idle=$!
trap 'kill $idle $xvfb 2>/dev/null || true' EXIT
sleep 0.3
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# A first launch warms the file cache; it is not counted.
"$prog" & pid=$!; sleep 1; kill "$pid"; wait "$pid" 2>/dev/null || true

times=(); rss=(); cpu=()
tick_ms=$((1000 / $(getconf CLK_TCK)))
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$prog" & pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do sleep 0.01; done
  end=$(date +%s%N)
  read -r -a stat < /proc/$pid/stat
  cpu+=($(( (stat[13] + stat[14]) * tick_ms )))
  times+=($(( (end - start) / 1000000 )))
  sleep 1
  rss+=($(awk '/VmRSS/ {print $2}' /proc/$pid/status))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "mapped after (ms): ${times[*]}"
echo "median ${sorted[$((runs / 2))]} ms, min ${sorted[0]} ms, max ${sorted[$((runs - 1))]} ms"
echo "CPU time used until mapped (ms, user+system, ${tick_ms} ms ticks): ${cpu[*]}"
echo "VmRSS (KiB): ${rss[*]}"
