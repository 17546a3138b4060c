#!/usr/bin/env bash
# Installs the build into a temporary prefix, builds a host against the installed library with CMake
# and with pkg-config and runs both; then runs the installed tessel-convert and quillon-run.
# Usage: installation_test.sh BUILD_DIR CONSUMER_SOURCE_DIR "C FLAGS"
set -u
. "$(dirname "$0")/check.sh"
build=$1
consumer=$2
flags=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

if ! cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1; then
  cat "$work/install.log"; echo "FAIL cmake --install"; exit 1
fi

export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name tessel.pc)")
libdir=$(pkg-config --variable=libdir tessel)
check "pkg-config prefix" "$prefix" "$(pkg-config --variable=prefix tessel)"
soname=$(readelf -d "$libdir/libtessel.so" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
check "library with a SOVERSION" "libtessel.so.1" "$soname"
check_file "the SONAME file" "$libdir/$soname"
check_file "the header" "$prefix/include/tessel.h"
# Every program has a manual page, and every page renders without warnings.
for program in "$prefix"/bin/*; do
  name=$(basename "$program")
  check_file "manual page of $name" "$prefix/share/man/man1/$name.1.gz"
done
for page in "$prefix"/share/man/man1/*.1.gz; do
  check "$(basename "$page") renders cleanly" "" "$(MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)"
done

# The host, built both ways, run where the installed CNSCVT.INI points the library at the tables.
if cmake -S "$consumer" -B "$work/with-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_FLAGS="$flags" \
     > "$work/cmake.log" 2>&1 && cmake --build "$work/with-cmake" >> "$work/cmake.log" 2>&1; then
  echo "ok   built with find_package(tessel)"
else
  cat "$work/cmake.log"; check "built with find_package(tessel)" "yes" "no"
fi
# shellcheck disable=SC2046,SC2086
if cc $flags "$consumer/consumer.c" $(pkg-config --cflags --libs tessel) -Wl,-rpath,"$libdir" \
     -o "$work/with-pkg-config" 2> "$work/cc.log"; then
  echo "ok   built with pkg-config"
else
  cat "$work/cc.log"; check "built with pkg-config" "yes" "no"
fi
mkdir "$work/run"
cp "$prefix/share/tessel/CNSCVT.INI" "$work/run/"
check "CNSCVT.INI names the installed tables" "TablePath=$prefix/share/tessel" \
  "$(grep "^TablePath" "$work/run/CNSCVT.INI" | tr -d '\r')"
check "host built with CMake" "41 0E 44 63" "$(cd "$work/run" && "$work/with-cmake/consumer")"
check "host built with pkg-config" "41 0E 44 63" "$(cd "$work/run" && "$work/with-pkg-config")"

# The installed converter finds the installed library and tables by itself.
printf 'A\xa4\xa4\r\n' > "$work/in.big5"
"$prefix/bin/tessel-convert" -f big5 -t euc-tw "$work/in.big5" "$work/out.euc"
check "installed tessel-convert" "41c4e30d0a" "$(hex "$work/out.euc")"

# quillon-run, linked from bin, reads the sample rename table beside itself: U+F6B1 is renamed.
mkdir -p "$work/tree" "$work/logs"
touch "$work/tree/$(printf '\xef\x9a\xb1')"
"$prefix/bin/quillon-run" --quiet --log-dir "$work/logs" "$work/tree" 2> "$work/quillon.err"
check "installed quillon-run renames by the sample table" "no" \
  "$([ -e "$work/tree/$(printf '\xef\x9a\xb1')" ] && echo yes || echo no)"
check "one log" "1" "$(ls "$work/logs" | wc -l)"
finish
