#!/usr/bin/env bash
# The Debian packages unpacked with dpkg -x into scratch roots and used from there: a host built
# against libtessel-dev unpacked beside libtessel1 (with CMake and with pkg-config) converts a string
# with the tables of tessel-tools; tessel-convert runs from tessel-tools beside libtessel1;
# quillon-run renames by the table of its package; pictor-print writes a catalogue.
# Usage: debian_unpacked_test.sh PACKAGE_DIR CONSUMER_SOURCE_DIR
set -u
. "$(dirname "$0")/check.sh"
dir=$1
consumer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deb() { ls "$dir/${1}"_*.deb; }
unpack() {  # ROOT PACKAGE...
  local root=$1
  shift
  for package in "$@"; do dpkg -x "$(deb "$package")" "$root"; done
}

# A host of the library, built against the development package.
dev=$work/dev
unpack "$dev" libtessel1 libtessel-dev tessel-tools
if cmake -S "$consumer" -B "$work/with-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$dev/usr" > "$work/cmake.log" 2>&1 &&
   cmake --build "$work/with-cmake" >> "$work/cmake.log" 2>&1; then
  echo "ok   built with find_package(tessel)"
else
  cat "$work/cmake.log"; check "built with find_package(tessel)" "yes" "no"
fi
# tessel.pc names /usr: pkg-config finds the unpacked files through the root as a sysroot.
export PKG_CONFIG_SYSROOT_DIR=$dev
PKG_CONFIG_LIBDIR=$(dirname "$(find "$dev" -name tessel.pc)")
export PKG_CONFIG_LIBDIR
libdir=$(dirname "$(find "$dev" -name 'libtessel.so')")
# shellcheck disable=SC2046
if cc "$consumer/consumer.c" $(pkg-config --cflags --libs tessel) -Wl,-rpath,"$libdir" -o "$work/with-pkg-config" \
     2> "$work/cc.log"; then
  echo "ok   built with pkg-config"
else
  cat "$work/cc.log"; check "built with pkg-config" "yes" "no"
fi
check "the host links the package's library" "$libdir/libtessel.so.1" \
  "$(ldd "$work/with-pkg-config" | awk '$1 == "libtessel.so.1" { print $3 }')"
check "CNSCVT.INI of tessel-tools names /usr" "TablePath=/usr/share/tessel" \
  "$(grep "^TablePath" "$dev/usr/share/tessel/CNSCVT.INI" | tr -d '\r')"
mkdir "$work/run"
printf '[Setup]\r\nTablePath=%s\r\n' "$dev/usr/share/tessel" > "$work/run/CNSCVT.INI"
check "host built with CMake" "41 0E 44 63" "$(cd "$work/run" && "$work/with-cmake/consumer")"
check "host built with pkg-config" "41 0E 44 63" "$(cd "$work/run" && "$work/with-pkg-config")"

# tessel-convert from its package finds the library and the tables of its installation.
tools=$work/tools
unpack "$tools" libtessel1 tessel-tools
printf 'A\xa4\xa4\r\n' > "$work/in.big5"
"$tools/usr/bin/tessel-convert" -f big5 -t cns "$work/in.big5" "$work/out.cns"
check "tessel-convert from tessel-tools" "0f1b2429471b242a48410e44630f0d0a0f" "$(hex "$work/out.cns")"
check "tessel-convert --version" "tessel-convert $(dpkg-deb -f "$(deb tessel-tools)" Version)" \
  "$("$tools/usr/bin/tessel-convert" --version)"

# quillon-run, linked from bin, reads the rename table of its package: U+F6B1 is renamed.
quillon=$work/quillon
unpack "$quillon" quillon
mkdir -p "$work/tree" "$work/logs"
touch "$work/tree/$(printf '\xef\x9a\xb1')"
"$quillon/usr/bin/quillon-run" --quiet --log-dir "$work/logs" "$work/tree" 2> "$work/quillon.err"
check "quillon-run from quillon renames by its table" "no" \
  "$([ -e "$work/tree/$(printf '\xef\x9a\xb1')" ] && echo yes || echo no)"
check "one log" "1" "$(ls "$work/logs" | wc -l)"

# pictor-print from pictor: a catalogue of a generated EUDC font, without a display.
pictor=$work/pictor
unpack "$pictor" pictor
"$pictor/usr/bin/pictor-mkfont" "$work/eudc.ttf" > /dev/null
QT_QPA_PLATFORM=offscreen PICTOR_REGISTRY=$work/registry.reg \
  "$pictor/usr/bin/pictor-print" --font "$work/eudc.ttf" --range FA40-FA7E --pdf "$work/catalogue.pdf" \
  > "$work/pictor.out" 2>&1
check "pictor-print from pictor writes the catalogue" "%PDF" "$(head -c 4 "$work/catalogue.pdf" 2> /dev/null)"
finish
