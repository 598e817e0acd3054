#!/usr/bin/env bash
# Builds the Debian package from a build tree (leaving it in BUILD/package), unpacks it into a
# scratch root with dpkg -x and checks it: lintian's verdict, the files it installs, its control
# fields and the dependencies in them, the desktop entry and metainfo against their validators,
# the manual page against man's warnings and the program's usage, and that the program it
# installs answers --help with no display and starts from there and shows its window on an X
# server, drawn in fonts of the packages it depends on.
# Usage: tests/package_test.sh BUILD-DIR
set -uo pipefail
build=$(realpath "$1")
app_id=io.github.sho_euler.ShoEuler

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...: runs the command and counts it
  local description=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok      $description"
  else
    failed=$((failed + 1))
    echo "FAILED  $description"
  fi
}
# Whether a comma-separated Depends field names a package.
depends_on() { tr ',' '\n' <<<"$1" | sed -E 's/^ +//; s/[ (].*//' | grep -qx "$2"; }

echo "== Building the package"
rm -f "$build"/package/*.deb
if ! cpack --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "0 passed, 1 failed"
  exit 1
fi
version=$(sed -nE 's/^set\(CPACK_PACKAGE_VERSION "(.*)"\)$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb=$build/package/sho-euler_${version}_${arch}.deb
check "the package is $(basename "$deb")" test -f "$deb"
[ -f "$deb" ] || { echo "$passed passed, $failed failed"; exit 1; }
dpkg-deb -I "$deb"

echo "== What it installs"
root=$scratch/root
dpkg -x "$deb" "$root"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$scratch/files"
cat "$scratch/files"
sort >"$scratch/expected" <<EOF
./usr/bin/sho-euler
./usr/share/applications/$app_id.desktop
./usr/share/doc/sho-euler/changelog.gz
./usr/share/doc/sho-euler/copyright
./usr/share/icons/hicolor/scalable/apps/$app_id.svg
./usr/share/man/man1/sho-euler.1.gz
./usr/share/metainfo/$app_id.metainfo.xml
EOF
check "exactly the program, its desktop entry, icon, metainfo, manual page, copyright, changelog" \
  diff -u "$scratch/expected" "$scratch/files"
program=$root/usr/bin/sho-euler
check "the program is executable" test -x "$program"
check "the program looks for libraries only in the system's places (no RPATH or RUNPATH)" \
  bash -c "! readelf -d '$program' | grep -Eq 'RPATH|RUNPATH'"
check "the program is stripped" bash -c "! readelf -S '$program' | grep -q '\.symtab'"

echo "== lintian"
# Errors and warnings fail; tags of the info and pedantic levels are shown but pass.
lintian --display-info --pedantic --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1
cat "$scratch/lintian.log"
check "lintian reports no error or warning" bash -c "! grep -Eq '^[EW]: ' '$scratch/lintian.log'"

echo "== Copyright, changelog and manual page"
doc=$root/usr/share/doc/sho-euler
check "the copyright file is machine-readable, MIT, with the licence's text" bash -c "
  head -n 1 '$doc/copyright' | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
  grep -q '^License: MIT$' '$doc/copyright' &&
  grep -q 'Permission is hereby granted, free of charge' '$doc/copyright'"
check "the changelog's newest entry is version $version" bash -c \
  "zcat '$doc/changelog.gz' | head -n 1 | grep -q '^sho-euler ($version) '"
page=$root/usr/share/man/man1/sho-euler.1.gz
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$scratch/page.txt" 2>"$scratch/page.warnings"
cat "$scratch/page.warnings"
check "man shows the page with no warnings" test ! -s "$scratch/page.warnings" -a -s "$scratch/page.txt"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES; do
  check "the page has $section" grep -q "^$section\$" "$scratch/page.txt"
done
check "the page names the data files and the environment that changes the program" bash -c "
  grep -q 'y.dat' '$scratch/page.txt' && grep -q 'v.dat' '$scratch/page.txt' &&
  grep -q 'CR LF' '$scratch/page.txt' && grep -q 'QT_QPA_PLATFORM' '$scratch/page.txt'"
# The installed program answers --help with no display at all; every option it lists is in the
# page.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/sho-euler" --help \
  >"$scratch/usage.txt" 2>&1
check "the installed program answers --help with no display" test $? -eq 0
for option in $(grep -Eo '^ +(-[a-z], )?--?[a-z]+' "$scratch/usage.txt" | grep -Eo -- '--?[a-z]+$'); do
  check "the page lists $option, as --help does" grep -Eq -- "^ +(-[a-z], )?$option( |,|\$)" \
    "$scratch/page.txt"
done

echo "== Control fields"
field() { dpkg-deb -f "$deb" "$1"; }
check "Package is sho-euler" test "$(field Package)" = sho-euler
check "Version is the project's, $version" test "$(field Version)" = "$version"
check "Architecture is $arch" test "$(field Architecture)" = "$arch"
check "it has a one-line summary and a description" \
  test "$(field Description | wc -l)" -ge 2
depends=$(field Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
  check "Depends on $package" depends_on "$depends" "$package"
done
# Every library the program links, and every font family the window is drawn in, comes from a
# package that Depends names.
for library in $(readelf -d "$program" | sed -nE 's/.*NEEDED.*\[(.*)\]/\1/p'); do
  owners=$(dpkg-query -S "*/$library" 2>/dev/null | sed -E 's/[:,].*//' | sort -u)
  named=no
  for owner in $owners; do depends_on "$depends" "$owner" && named=yes; done
  check "the package of $library ($(echo $owners)) is in Depends" test "$named" = yes
done

echo "== Desktop entry, icon and metainfo"
entry=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
icon=$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg
key() { sed -nE "s/^$1=//p" "$entry"; }
check "desktop-file-validate passes and has nothing to say" \
  bash -c "desktop-file-validate '$entry' >'$scratch/dfv.log' 2>&1 && ! [ -s '$scratch/dfv.log' ]"
cat "$scratch/dfv.log"
check "appstreamcli validate --no-net passes" appstreamcli validate --no-net "$metainfo"
check "the entry starts the installed program" test -x "$root/usr/bin/$(key Exec | cut -d' ' -f1)"
check "the entry's icon is the installed icon" test "$(key Icon)" = "$app_id"
# One main category, so that a menu shows the program once.
main_categories=$(key Categories | tr ';' '\n' |
  grep -cxE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility')
check "the entry is in one main category, Education" \
  bash -c "[ '$main_categories' -eq 1 ] && grep -Eq '^Categories=(.*;)?Education;' '$entry'"
check "the entry has a name and a comment" test -n "$(key Name)" -a -n "$(key Comment)"
check "the metainfo's id and launchable are the entry's" \
  bash -c "grep -q '<id>$app_id</id>' '$metainfo' && grep -q '<launchable type=\"desktop-id\">$app_id.desktop</launchable>' '$metainfo'"
check "the metainfo's latest release is the package's version" \
  bash -c "grep -m 1 '<release ' '$metainfo' | grep -q 'version=\"$version\"'"
check "the icon is a 128 x 128 drawing that librsvg renders" \
  test "$(rsvg-convert "$icon" | identify -format '%w %h' -)" = "128 128"

echo "== The installed program starts"
# A clean environment, as a desktop's menu would start it, on an X server of its own: this uses
# the X11 platform plugin, the fonts and the libraries that the package depends on.
mkdir -p "$scratch/home" "$scratch/work"
: >"$scratch/fonts"
export program scratch
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  cd "$scratch/work"
  env -i HOME="$scratch/home" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" \
    "$program" >"$scratch/program.log" 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --classname "^sho-euler$" | head -n 1)
  if [ -z "$window" ]; then
    echo "no window appeared"
    cat "$scratch/program.log"
    kill "$pid" 2>/dev/null
    exit 1
  fi
  xdotool getwindowname "$window" >"$scratch/title"
  sleep 0.5
  import -window "$window" "$scratch/window.png"
  # The font files the window is drawn with: the ones the program has open.
  grep -Eo "/[^ ]+\.(ttf|otf|ttc|pfb)$" "/proc/$pid/maps" | sort -u >"$scratch/fonts"
  kill -0 "$pid" || exit 1
  kill "$pid"
' >"$scratch/start.log" 2>&1
started=$?
cat "$scratch/start.log"
check "its window appeared, with the class name the desktop entry gives" test "$started" -eq 0
check "its title is the program's own" grep -q "^Simple Harmonic Oscilator" "$scratch/title"
check "it drew the window in its orange" bash -c \
  "convert '$scratch/window.png' -crop 1x1+4+520 -depth 8 txt:- | grep -qi '#FFC080'"
# Each font family the window is designed with is drawn from files of a package that Depends
# names. Where two packages have a family (fonts-liberation beside fonts-liberation2), only the
# one the program opened counts.
for family in "Liberation Sans" "Nazli" "Comic Neue"; do
  owners=() unnamed=()
  while read -r font; do
    [ "$(fc-scan --format '%{family[0]}' "$font")" = "$family" ] || continue
    owner=$(dpkg-query -S "$font" 2>/dev/null | sed -E 's/[:,].*//' | head -n 1)
    [[ " ${owners[*]} " == *" ${owner:-$font} "* ]] || owners+=("${owner:-$font}")
    depends_on "$depends" "${owner:-none}" || unnamed+=("${owner:-$font}")
  done <"$scratch/fonts"
  check "the window is drawn in $family from ${owners[*]:-no file}, which Depends names" \
    test ${#owners[@]} -gt 0 -a ${#unnamed[@]} -eq 0
done

echo "The package: $deb"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
