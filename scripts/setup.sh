#!/usr/bin/env bash
# Installs the Debian packages that are missing for building and running the desktop program
# ("run"), for building the browser page as well ("web"), or for everything the tests need too
# ("test"), and any other packages named after that. Does nothing when all of them are there.
# Usage: scripts/setup.sh [run|web|test] [PACKAGE...]
set -euo pipefail

run_packages=(
  cmake g++ make help2man
  qt6-base-dev
  libqt6svg6  # Qt's SVG icon engine, which draws the program's icon
  qt6-tools-dev qt6-l10n-tools  # lupdate and lrelease, and CMake's LinguistTools for them
  qt6-translations-l10n  # Qt's own texts (its dialogs' buttons) in the user's language
  fonts-liberation2 fonts-farsiweb fonts-comic-neue  # the window's fonts
  libfmt-dev libfast-float-dev  # numbers to text and back, header-only
)
web_packages=(
  emscripten  # the page's C++ as WebAssembly; it brings node where none is
  esbuild  # the page's modules bundled into one script
  python3  # the page's translations read and the page put together
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick  # the screenshot, and starting the packaged program
  dpkg-dev desktop-file-utils appstream librsvg2-bin lintian man-db  # building and checking the package
  clang-14 libclang-rt-14-dev  # the fuzzer (libFuzzer and its sanitizers)
  libmpfr-dev  # the correctly rounded cosine and tangent checked against MPFR
  at-spi2-core dbus python3-pyatspi xclip  # the window read through the accessibility bus
  chromium firefox-esr  # the browser page's tests, driven from node
)
# node and npm for the browser page's tests: Debian's where the machine has none of its own.
command -v node >/dev/null || test_packages+=(nodejs)
command -v npm >/dev/null || test_packages+=(npm)

wanted=("${run_packages[@]}")
case ${1:-run} in
  run) ;;
  web) wanted+=("${web_packages[@]}") ;;
  test) wanted+=("${web_packages[@]}" "${test_packages[@]}") ;;
  *) echo "Usage: $0 [run|web|test] [PACKAGE...]" >&2; exit 2 ;;
esac
[ $# -gt 1 ] && wanted+=("${@:2}")

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
