#!/usr/bin/env bash
# Listens to the browser page with the Orca screen reader, in Chromium and in Firefox ESR: a
# student types 1, 30 and 0.01 into the entries, presses Run (Space on the button), then Tab, Down,
# Down, Alt+Down, Down, Return, Tab, Tab. Prints, after each key, what Orca said and how long after
# the key (the time stamps of the SPEECH OUTPUT lines of its debug file), for every try, then the
# first words after each key over all tries of a browser. The browsers take turns.
#
# Each try starts afresh, in a process namespace of its own (so that nothing of it outlives it and
# no other Orca of the user is in its way) with a home and XDG folders of its own: an X server
# (Xvfb) with openbox, a session bus, the accessibility bus, speech-dispatcher with a configuration
# of its own whose one output module is the dummy (the real ones wait for a sound server, and Orca
# with them), Orca writing its debug file line by line, then the browser with the page, the pointer
# in the screen's far corner (under an opened drop-down it would choose an entry). Firefox's
# question whether the page may keep its data in persistent storage is answered by a preference of
# its profile. After each key the try waits until its processes have been quiet for a moment.
# Runs as root (a process namespace needs it), outside ./test.sh.
#
# Usage: bench/orca_page_speech.sh [--page PAGE] [--desktop PROGRAM] [--keys KEYS] [--logs DIR]
#                                  [TRIES]
#   --page     the page (by default, scripts/build_web.sh builds it); TRIES: 3 by default
#   --desktop  the desktop program too, as a third face, with the same keys
#   --keys     other keys, as xdotool's commands separated by commas ("type 1,key Tab,key space")
#   --logs     keeps Orca's debug file of every try in DIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")

if [ "${1:-}" = --try ]; then
  try_mode=1
  shift
else
  try_mode=
fi

# ---------------------------------------------------------------------------------------------
# One try, inside its own process namespace: --try BROWSER PAGE OUT_DIR. Leaves keys.txt (each
# key's time, seconds since midnight UTC, and its name) and orca.log in OUT_DIR.
# ---------------------------------------------------------------------------------------------

# The CPU time every process of the namespace has used, in clock ticks.
cpu_ticks() {
  cat /proc/[0-9]*/stat 2>/dev/null |
    awk '{ sub(/^.*\) /, ""); ticks += $12 + $13 } END { print ticks + 0 }'
}

# Waits until the namespace's processes have used less than 0.05 s of CPU in a second, twice in
# a row, after at least $1 seconds (at most a minute in all).
wait_until_quiet() {
  local before after quiet=0
  sleep "${1:-1}"
  for _ in $(seq 60); do
    before=$(cpu_ticks)
    sleep 1
    after=$(cpu_ticks)
    if [ $((after - before)) -lt 5 ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge 2 ] && return 0
    else
      quiet=0
    fi
  done
  echo "the browser or Orca was still busy after a minute" >&2
}

# The first window whose class (or, with --name, title) matches $1 once one shows, within a minute;
# nothing where none does. (xdotool's own --sync gives up when a window goes while it looks.)
find_window() {
  local found
  for _ in $(seq 120); do
    found=$(xdotool search --onlyvisible "${2:---class}" "$1" 2>/dev/null | head -n 1) || true
    [ -z "$found" ] || { echo "$found"; return 0; }
    sleep 0.5
  done
}

# Starts a program that writes one line to file descriptor 3 once it is ready (its display or
# address); prints that line.
start_announcing() {
  local said=$scratch/announced.$RANDOM
  "$@" 3>"$said" >>"$scratch/services.log" 2>&1 &
  for _ in $(seq 100); do [ -s "$said" ] && break; sleep 0.1; done
  [ -s "$said" ] || { echo "$1 did not start" >&2; return 1; }
  head -n 1 "$said"
}

firefox_profile() {
  mkdir -p "$1"
  cat >"$1/user.js" <<'EOF'
// The page's request for persistent storage, answered without a prompt.
user_pref("dom.storageManager.prompt.testing", true);
user_pref("dom.storageManager.prompt.testing.allow", true);
// No first-run pages, questions or updates of Firefox's own.
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.policy.dataSubmissionPolicyBypassNotification", true);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("browser.tabs.warnOnClose", false);
EOF
}

one_try() {
  local browser=$1 page out=$3 window key
  page=$(realpath "$2")
  scratch=$(mktemp -d)
  export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_HOME=$scratch/data
  export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
  mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # Orca stamps its lines with the time of day: UTC on both sides.
  export TZ=UTC LANG=C.UTF-8 LC_ALL=C.UTF-8 GNOME_ACCESSIBILITY=1
  unset DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER

  DISPLAY=:$(start_announcing Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp)
  export DISPLAY
  DBUS_SESSION_BUS_ADDRESS=$(start_announcing dbus-daemon --session --nofork --print-address=3)
  export DBUS_SESSION_BUS_ADDRESS
  openbox --sm-disable >>"$scratch/services.log" 2>&1 &
  for _ in $(seq 100); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done
  /usr/libexec/at-spi-bus-launcher --launch-immediately >>"$scratch/services.log" 2>&1 &

  mkdir -p "$scratch/speech/modules" "$scratch/speech-log"
  cat >"$scratch/speech/speechd.conf" <<'EOF'
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
LogLevel 3
EOF
  speech-dispatcher --run-single --timeout 0 --config-dir "$scratch/speech" \
    --log-dir "$scratch/speech-log" --socket-path default >>"$scratch/services.log" 2>&1 &
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && break
    sleep 0.1
  done

  # Orca opens its debug file with the default buffer, which holds its last lines back: opened
  # line by line here instead.
  /usr/bin/python3 -c '
import builtins, runpy, sys
log = sys.argv[1]
opened = builtins.open
def line_by_line(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        return opened(file, mode, 1)
    return opened(file, mode, *args, **kwargs)
builtins.open = line_by_line
sys.argv = ["orca", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
' "$out/orca.log" >>"$scratch/orca.out" 2>&1 &
  wait_until_quiet 2

  local url="file://$page"
  if [ "$browser" = chromium ]; then
    # As root, which the bench runs as, Chromium starts only without its sandbox.
    chromium --no-sandbox --user-data-dir="$scratch/chromium" --no-first-run \
      --no-default-browser-check --password-store=basic --disable-gpu --disable-extensions \
      --disable-background-networking --disable-component-update --disable-sync \
      --disable-default-apps --force-renderer-accessibility --window-position=0,0 \
      --window-size=1200,900 "$url" >>"$scratch/browser.log" 2>&1 &
    window=$(find_window chromium)
  elif [ "$browser" = firefox ]; then
    firefox_profile "$scratch/firefox"
    firefox-esr --no-remote --new-instance --profile "$scratch/firefox" --width 1200 \
      --height 900 "$url" >>"$scratch/browser.log" 2>&1 &
    window=$(find_window firefox)
  else
    # The desktop program, beside the page: $page is the program, its data files in a scratch
    # folder.
    mkdir "$scratch/work"
    (cd "$scratch/work" && QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$page") \
      >>"$scratch/browser.log" 2>&1 &
    window=$(find_window '^Simple Harmonic' --name)
  fi
  if [ -z "$window" ]; then
    echo "no $browser window showed within a minute; it said:" >&2
    tail -n 20 "$scratch/browser.log" >&2
    return 1
  fi
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  xdotool mousemove 1279 1023
  wait_until_quiet 5

  local keys
  IFS=, read -r -a keys <<<"$SHO_ORCA_KEYS"
  for key in "${keys[@]}"; do
    date +%s.%N | awk -v key="${key#* }" '{ printf "%.6f %s\n", $1 % 86400, key }' >>"$out/keys.txt"
    xdotool "${key%% *}" --delay 40 "${key#* }"
    wait_until_quiet 1
  done
  wait_until_quiet 2
}

# Ends every other process of the try's namespace (where this is its first process, as unshare
# starts it), then removes the try's folder.
end_try() {
  if [ $$ -eq 1 ]; then
    kill -KILL -1 2>/dev/null || true
    sleep 0.5
  fi
  [ -z "$scratch" ] || rm -rf "$scratch"
}

if [ -n "$try_mode" ]; then
  scratch=
  trap end_try EXIT
  one_try "$@"
  exit
fi

# ---------------------------------------------------------------------------------------------
# The tries, and what Orca said.
# ---------------------------------------------------------------------------------------------
cd "$here/.."
page=
logs=
faces=(chromium firefox)
export SHO_ORCA_KEYS="type 1,key Tab,type 30,key Tab,type 0.01,key Tab,key space,key Tab,key Down,key Down,key alt+Down,key Down,key Return,key Tab,key Tab"
while [ $# -gt 1 ]; do
  case $1 in
    --page) page=$(realpath "$2") ;;
    --desktop) faces+=(desktop); desktop=$(realpath "$2") ;;
    --keys) SHO_ORCA_KEYS=$2 ;;
    --logs) logs=$(realpath "$2") ;;
    *) break ;;
  esac
  shift 2
done
tries=${1:-3}
case $tries in
  '' | *[!0-9]* | 0) echo "usage: $0 [--page PAGE] [--desktop PROGRAM] [--keys KEYS] [--logs DIR] [TRIES]" >&2
    exit 2 ;;
esac

scripts/setup.sh test orca openbox speech-dispatcher
[ -n "$page" ] || page=$(scripts/build_web.sh | tail -n 1)
[ -f "$page" ] || { echo "no page at $page" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "run as root: each try has a process namespace of its own" >&2; exit 2; }

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# What Orca said after each key of one try, as lines "KEY_INDEX<tab>DELAY<tab>KEY<tab>TEXT": each
# SPEECH OUTPUT line of its debug file, with its delay in seconds after the last key before it;
# "KEY_INDEX<tab>-<tab>KEY<tab>" for a key after which it said nothing.
speech_after_keys() {
  awk -v OFS='\t' '
    function seconds(stamp) {
      return substr(stamp, 1, 2) * 3600 + substr(stamp, 4, 2) * 60 + substr(stamp, 7)
    }
    # Times of day, past midnight where the try went on over it.
    FNR == NR {
      at[NR] = $1 + (NR > 1 && $1 < at[NR - 1] - 43200 ? 86400 : 0)
      name[NR] = substr($0, index($0, " ") + 1)
      keys = NR
      next
    }
    /^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9]+ - SPEECH OUTPUT: / {
      t = seconds($1)
      if (t < at[1] - 43200) t += 86400
      for (k = keys; k >= 1 && at[k] > t; k--) {}
      if (k < 1) next
      text = substr($0, index($0, "SPEECH OUTPUT: ") + 15)
      sub(/ ?\[?\{.established.: (False|True)\}\]?$/, "", text)  # what Orca tells its speech server
      sub(/^\047/, "", text)
      sub(/\047$/, "", text)
      said[k] = said[k] sprintf("%d\t%.2f\t%s\t%s\n", k, t - at[k], name[k], text)
    }
    END {
      for (k = 1; k <= keys; k++) printf "%s", said[k] ? said[k] : k "\t-\t" name[k] "\t\n"
    }
  ' "$1/keys.txt" "$1/orca.log"
}

# speech_after_keys's lines as a transcript: each key, then what was said after it.
transcript() {
  awk -F '\t' '
    $1 != last { printf "  %s\n", $3; last = $1 }
    $2 == "-" { print "    (nothing)"; next }
    { printf "    +%.2f s  %s\n", $2, $4 }
  '
}

# Over every try of each face: after each key, the delay to the first words that are not Orca's
# echo of the key (which ends in a blank: "tab ", "1 "), shortest and longest (and in how many
# tries, where not in all), and those words in the first try that said any.
summary() {
  awk -F '\t' '
    FNR == 1 { file += 1; face = FILENAME; sub(/\..*/, "", face); tries[face] += 1 }
    !(face in seen) { seen[face] = 1; faces[++face_count] = face }
    { key[$1] = $3; keys = $1 > keys ? $1 : keys }
    $2 != "-" && $4 !~ / $/ && !((file, $1) in answered) {
      answered[file, $1] = 1
      n = ++count[face, $1]
      if (n == 1 || $2 < low[face, $1]) low[face, $1] = $2
      if (n == 1 || $2 > high[face, $1]) high[face, $1] = $2
      if (!((face, $1) in words)) words[face, $1] = substr($4, 1, 36)
    }
    END {
      for (k = 1; k <= keys; k++) {
        printf "%-9s", key[k]
        for (f = 1; f <= face_count; f++) {
          face = faces[f]
          if (!count[face, k]) { printf "  %-50s", "(only the echo of the key, or nothing)"; continue }
          range = low[face, k] == high[face, k] ? sprintf("%.2f s", low[face, k]) \
            : sprintf("%.2f-%.2f s", low[face, k], high[face, k])
          if (count[face, k] < tries[face]) range = range sprintf(" (%d of %d)", count[face, k], tries[face])
          printf "  %-50s", sprintf("%-11s %s", range, words[face, k])
        }
        printf "\n"
      }
    }
  ' "$@"
}

for ((n = 1; n <= tries; n++)); do
  for face in "${faces[@]}"; do
    out=$results/$face.$n
    target=$page
    [ "$face" != desktop ] || target=$desktop
    # A browser that did not start is given one more chance.
    for chance in 1 2; do
      rm -rf "$out" && mkdir -p "$out"
      unshare --pid --fork --mount-proc --kill-child -- "$here/orca_page_speech.sh" --try \
        "$face" "$target" "$out" && break
      [ "$chance" = 1 ] || { echo "$face, try $n: could not listen" >&2; exit 1; }
    done
    speech_after_keys "$out" >"$results/$face.$n.said"
    echo "$face, try $n:"
    transcript <"$results/$face.$n.said"
    [ -z "$logs" ] || { mkdir -p "$logs" && cp "$out/orca.log" "$logs/orca.$face.$n.log"; }
  done
done

echo
echo "The first words after each key (not the key's echo), shortest and longest delay over $tries tries:"
printf '%-9s' key
for face in "${faces[@]}"; do printf '  %-50s' "$face"; done
printf '\n'
cd "$results"
said=()
for face in "${faces[@]}"; do said+=("$face".*.said); done
summary "${said[@]}"
