#!/usr/bin/env bash
# Installs the Debian package with apt on a fresh, minimal Debian 12 tree, as on a new machine,
# and starts the installed program there on an X server: proof that the package's Depends bring
# everything the program needs. Recommended packages are left out, so Depends alone must do.
# Needs root and Debian's package archive (it downloads some 100 packages), so it is not part of
# ./test.sh. Usage: scripts/fresh_install_check.sh [PACKAGE.deb]
# (default: the package ./test.sh leaves in build/test/package)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:-$(ls build/test/package/sho-euler_*.deb | tail -n 1)}")

tools=(mmdebstrap xvfb xdotool imagemagick)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -nolisten tcp -screen 0 1024x768x24 -dpi 96 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
cp "$deb" "$work/"

# Run on the host inside mmdebstrap's last step, with the tree (and its /proc, /sys, /dev) as $1.
cat >"$work/start.sh" <<'EOF'
set -euo pipefail
tree=$1
echo "== ldd in the fresh tree"
chroot "$tree" ldd /usr/bin/sho-euler
if chroot "$tree" ldd /usr/bin/sho-euler /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so |
  grep 'not found'; then
  exit 1
fi
echo "== Starting /usr/bin/sho-euler in the fresh tree on $DISPLAY"
chroot "$tree" env -i HOME=/root PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
  sh -c 'cd /tmp && exec /usr/bin/sho-euler' &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --classname '^sho-euler$' | head -n 1)
[ -n "$window" ] || { echo "no window appeared"; exit 1; }
echo "window: $(xdotool getwindowname "$window")"
sleep 1
import -window "$window" "$SHOT"
kill -0 "$pid"
kill "$pid"
echo "== The installed program started and showed its window"
EOF

export DISPLAY=$display SHOT=$work/window.png
mmdebstrap --mode=root --variant=apt \
  --customize-hook="copy-in '$work/$(basename "$deb")' /tmp" \
  --customize-hook="chroot \"\$1\" apt-get install -y --no-install-recommends /tmp/$(basename "$deb")" \
  --customize-hook="chroot \"\$1\" dpkg-query -W -f='\${binary:Package}\\n' | wc -l" \
  --customize-hook="bash '$work/start.sh' \"\$1\"" \
  bookworm "$work/tree"
shot=${SCREENSHOT:-build/fresh-install-window.png}
mkdir -p "$(dirname "$shot")"
cp "$work/window.png" "$shot"
echo "Saved a picture of the window in $shot"
