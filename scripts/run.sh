#!/usr/bin/env bash
# Installs what is missing, builds Zentrix and starts it with the simulated
# module. Without a display it starts its own Xvfb. Once the module search has
# had time to finish it saves a screenshot of the window into
# build/zentrix-screenshot.png, then keeps the program running until Ctrl+C.
# On its own Xvfb it first presses the start button, so the screenshot shows
# the multimeter measuring the simulated module.
#
#   ZENTRIX_RUN_SECONDS=N      quit after N seconds (for non-interactive use)
#   ZENTRIX_SCREENSHOT_DELAY=N seconds before the screenshot (default 5)
#   ZENTRIX_MEASURE=1|0        press the start button before the screenshot
#                              (default: 1 on its own Xvfb, 0 on a display)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
# Only the program and the device library: the test programs are built by the
# test command. A fresh build folder is configured without them; one that the
# test command has configured keeps its settings.
if [ -f build/CMakeCache.txt ]; then
  cmake -S . -B build >/dev/null
else
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIX_BUILD_TESTS=OFF >/dev/null
fi
cmake --build build -j2 --target Zentrix Modlink

screenshot=$PWD/build/zentrix-screenshot.png
delay=${ZENTRIX_SCREENSHOT_DELAY:-5}
run_seconds=${ZENTRIX_RUN_SECONDS:-}
measure=${ZENTRIX_MEASURE:-}

xvfb_pid=""
program_pid=""
cleanup() {
  set +e
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  display=99
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  echo "No display: started Xvfb (1920x1080x24) on $DISPLAY."
  measure=${measure:-1}
fi

build/bin/Zentrix &
program_pid=$!
echo "Zentrix runs (pid $program_pid)."

# Seconds of measuring before the screenshot: a few blocks of values.
measure_seconds=4

sleep "$delay"
if kill -0 "$program_pid" 2>/dev/null; then
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Zentrix \(/ {print $1; exit}')
  if [ "${measure:-0}" = 1 ] && [ -n "$window" ]; then
    # The start button's centre, in the window's fixed layout.
    xdotool mousemove --window "$window" 610 40 click 1
    echo "Pressed the start button; measuring for ${measure_seconds} s."
    sleep "$measure_seconds"
  fi
  if [ -n "$window" ] && import -window "$window" "$screenshot" 2>/dev/null; then
    echo "Screenshot of the window: $screenshot"
  elif import -window root "$screenshot" 2>/dev/null; then
    echo "Screenshot of the screen: $screenshot"
  else
    echo "Could not take a screenshot." >&2
  fi
fi

if [ -n "$run_seconds" ]; then
  remaining=$((run_seconds > delay ? run_seconds - delay : 0))
  sleep "$remaining"
  echo "Stopping Zentrix after ${run_seconds} s."
  exit 0
fi
echo "Press Ctrl+C to quit."
set +e
wait "$program_pid"
status=$?
program_pid=""
exit "$status"
