#!/usr/bin/env bash
# Starts the program under Xvfb, types y(0) = 20, Phi(0)Degree = 0 and time step 0.001 as a user
# would, presses Run and saves a PNG of the window (docs/screenshot.png unless told otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")
scripts/setup.sh test
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSHO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target sho-euler -j"$(nproc)" >/dev/null
program=$(realpath build/release/window/sho-euler)

# The run's data files go to a scratch directory, not into the project.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

export program out scratch
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -euo pipefail
  cd "$scratch"
  "$program" & pid=$!
  window=$(xdotool search --sync --onlyvisible --name "Simple Harmonic Oscilator" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool type --delay 50 "20"
  xdotool key Tab
  xdotool type --delay 50 "0"
  xdotool key Tab
  xdotool type --delay 50 "0.001"
  xdotool mousemove --window "$window" 48 484 click 1  # the Run button
  sleep 1.5
  import -window "$window" "$out"
  kill "$pid"
'
echo "Saved $out"
