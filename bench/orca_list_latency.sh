#!/usr/bin/env bash
# Times how long the Orca screen reader takes to speak after Alt+Down opens the results list's
# drop-down, in the program and in a plain editable QComboBox holding the same 10,000 entries
# (sho_plain_combo, bench/plain_combo.cpp).
#
# Each sample starts afresh, on an X server of its own (Xvfb) with openbox, a session bus, the
# accessibility bus and Orca writing its debug file: in the program, y(0) = 1, Phi(0)Degree = 0 and
# time step 0.01 are typed into the entries, Space presses Run and Tab moves to the list; the plain
# box has the focus from the start. A sample is the time from just before xdotool sends Alt+Down to
# the first line Orca speaks after it moves its focus into the opened list (its debug file's
# "SPEECH OUTPUT" lines are time-stamped). Prints every sample and the median of each program;
# the two programs take turns. Exits non-zero when a sample could not be measured.
#
# Usage: bench/orca_list_latency.sh [--build-dir DIR] [SAMPLES]   (build/test and 5 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build/test
if [ "${1:-}" = --build-dir ]; then
  build_dir=$2
  shift 2
fi
samples=${1:-5}
case $samples in
  '' | *[!0-9]* | 0) echo "usage: $0 [--build-dir DIR] [SAMPLES]" >&2; exit 2 ;;
esac

# What the build and the tests need, and what only this measurement needs.
scripts/setup.sh test orca openbox xdotool xvfb at-spi2-core dbus
# Orca refuses to start beside another Orca of the same user, and would be measured against it.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
  echo "Orca is already running for this user; stop it first." >&2
  exit 1
fi

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" --target sho-euler sho_plain_combo -j"$(nproc)" >/dev/null
ours=$(realpath "$build_dir/window/sho-euler")
plain=$(realpath "$build_dir/bench/sho_plain_combo")
bus_launcher=/usr/libexec/at-spi-bus-launcher

# Orca stamps its lines with the time of day; UTC on both sides, so that no clock change falls
# between the key and the speech.
export TZ=UTC LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY

scratch=
pids=()
orca_pid=

# Ends process $1: asks it to end, and after 10 s kills it.
end_process() {
  kill -0 "$1" 2>/dev/null || return 0
  kill -TERM "$1" 2>/dev/null || true
  if [ "$1" = "$orca_pid" ]; then
    # Orca handles the signal when an event wakes it up; it then writes out its debug file.
    [ -z "${DISPLAY:-}" ] || xdotool key shift 2>/dev/null || true
  fi
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null && [ "$1" = "$orca_pid" ]; then
    echo "Orca did not end when asked; its debug file lacks its last lines." >&2
  fi
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Ends what this sample started: Orca first, while the program it reads is still there (it does
# not always end once the program has gone), then the rest, the last started first; then whatever
# they started in turn (bus services, the accessibility registry), found by the mark every process
# of the sample inherits.
end_sample() {
  local pid
  [ -z "$orca_pid" ] || end_process "$orca_pid"
  orca_pid=
  for ((k = ${#pids[@]} - 1; k >= 0; k--)); do
    end_process "${pids[k]}"
  done
  pids=()
  if [ -n "$scratch" ]; then
    for environ in /proc/[0-9]*/environ; do
      pid=${environ#/proc/}
      pid=${pid%/environ}
      [ "$pid" = $$ ] && continue
      if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "SHO_ORCA_LATENCY_SAMPLE=$scratch"; then
        kill -KILL "$pid" 2>/dev/null || true
      fi
    done
  fi
}

measuring=
cleanup() {
  local status=$?
  end_sample
  [ -z "$scratch" ] || rm -rf "$scratch"
  [ "$status" -eq 0 ] || [ -z "$measuring" ] || echo "Could not measure $measuring." >&2
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The CPU time the sample's processes have used, in clock ticks.
cpu_ticks() {
  (cd /proc && cat "${pids[@]/%//stat}" 2>/dev/null) |
    awk '{ sub(/^.*\) /, ""); ticks += $12 + $13 } END { print ticks }'
}

# Waits until the sample's processes have used no CPU for 2 s in a row (at most 2 minutes): Orca
# and the program have dealt with all they were told.
wait_until_idle() {
  local before after
  for _ in $(seq 60); do
    before=$(cpu_ticks)
    sleep 2
    after=$(cpu_ticks)
    [ "$before" = "$after" ] && return 0
  done
  echo "Orca or the program was still busy after 2 minutes" >&2
  return 1
}

# Seconds from the key (seconds since midnight, $2) to the first SPEECH OUTPUT line of Orca's debug
# file $1 that follows its moving the focus into the list; nothing when there is none.
speech_latency() {
  awk -v key="$2" '
    function since_key(line,   t) {
      if (line !~ /^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9]+ - /) return -1
      t = substr(line, 1, 2) * 3600 + substr(line, 4, 2) * 60 + substr(line, 7, 9)
      t = (t - key + 86400) % 86400
      return t < 43200 ? t : -1
    }
    focus_moved == 0 && / - ORCA: Changing locusOfFocus from .* to \[list/ && since_key($0) >= 0 {
      focus_moved = 1
    }
    focus_moved && / - SPEECH OUTPUT: / {
      match($0, /SPEECH OUTPUT: \047[^\047]*\047/)
      printf "%.3f %s\n", since_key($0), substr($0, RSTART + 15, RLENGTH - 15)
      exit
    }
  ' "$1"
}

# The window whose title matches $1, once it shows.
find_window() {
  timeout 60 xdotool search --sync --onlyvisible --name "$1" ||
    { echo "No window \"$1\" showed within a minute." >&2; return 1; }
}

# One sample of program $1 ("ours" or "plain"): sets `sample` to the latency in seconds and what
# was spoken.
measure() {
  local kind=$1 program window key mark
  scratch=$(mktemp -d)
  mkdir -m 700 "$scratch/runtime"
  mkdir "$scratch/data" "$scratch/config" "$scratch/cache" "$scratch/work"
  export XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_HOME=$scratch/data
  export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
  # The mark of every process the sample starts, and of theirs.
  mark=(env "SHO_ORCA_LATENCY_SAMPLE=$scratch")

  "${mark[@]}" Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  [ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  DISPLAY=:$(head -n 1 "$scratch/display")
  export DISPLAY

  "${mark[@]}" dbus-daemon --session --nofork --print-address=3 3>"$scratch/bus" \
    >"$scratch/bus.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$scratch/bus" ] && break; sleep 0.1; done
  [ -s "$scratch/bus" ] || { echo "the session bus did not start" >&2; return 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus")
  export DBUS_SESSION_BUS_ADDRESS

  "${mark[@]}" openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
  pids+=($!)
  # Ready when it has told the X server which desktop is shown.
  for _ in $(seq 100); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done
  "${mark[@]}" "$bus_launcher" --launch-immediately >"$scratch/at-spi.log" 2>&1 &
  pids+=($!)
  "${mark[@]}" orca --debug-file="$scratch/orca.log" >"$scratch/orca.out" 2>&1 &
  orca_pid=$!
  pids+=($!)
  sleep 2
  wait_until_idle

  program=$([ "$kind" = ours ] && echo "$ours" || echo "$plain")
  (cd "$scratch/work" && exec "${mark[@]}" "$program" >"$scratch/program.log" 2>&1) &
  pids+=($!)
  if [ "$kind" = ours ]; then
    window=$(find_window "^Simple Harmonic Oscilator")
    xdotool windowactivate --sync "$window"
    wait_until_idle
    xdotool type --delay 50 1
    xdotool key Tab
    xdotool type --delay 50 0
    xdotool key Tab
    xdotool type --delay 50 0.01
    xdotool key Tab space
    wait_until_idle
    xdotool key Tab
  else
    window=$(find_window "^sho plain combo box$")
    xdotool windowactivate --sync "$window"
  fi
  wait_until_idle

  key=$(date +%s.%N)
  xdotool key alt+Down
  sleep 1
  wait_until_idle
  end_sample
  key=$(awk -v t="$key" 'BEGIN { printf "%.6f", t % 86400 }')
  speech_latency "$scratch/orca.log" "$key" >"$scratch/latency"
  if [ ! -s "$scratch/latency" ]; then
    echo "Orca said nothing of the opened list ($kind); its debug file ends:" >&2
    tail -n 20 "$scratch/orca.log" >&2
    return 1
  fi
  sample=$(cat "$scratch/latency")
  rm -rf "$scratch"
  scratch=
}

median() {
  sort -n | awk '{ v[NR] = $1 }
    END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

declare -A taken=([ours]="" [plain]="")
for ((n = 1; n <= samples; n++)); do
  for kind in ours plain; do
    measuring="$kind, sample $n"
    measure "$kind"
    echo "sample $n, $kind: ${sample%% *} s, first spoken: ${sample#* }"
    taken[$kind]+="${sample%% *} "
  done
done
measuring=

echo
printf '%-22s %-8s %s\n' program median samples
for kind in ours plain; do
  name=$([ "$kind" = ours ] && echo sho-euler || echo "plain QComboBox")
  values=${taken[$kind]}
  printf '%-22s %-8s %s\n' "$name" "$(tr ' ' '\n' <<<"${values% }" | median) s" "${values% }"
done
