#!/usr/bin/env bash
# Makes the Debian package of the build, unpacks it into a scratch root with dpkg -x and runs the
# programs from there. Usage: debian_package_test.sh BUILD_DIR
set -u
. "$(dirname "$0")/check.sh"
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; echo "FAIL cpack"; exit 1
fi
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "depends on the C library" "yes" "$(echo "$depends" | grep -q 'libc6' && echo yes || echo no)"
check "depends on Qt for the windows" "yes" "$(echo "$depends" | grep -q 'libqt6widgets6' && echo yes || echo no)"

root=$work/root
dpkg -x "$deb" "$root"
lib=$(ls -d "$root"/usr/lib/*/libtessel.so.1 2>/dev/null || ls -d "$root"/usr/lib/libtessel.so.1)
check_file "the library" "$lib"
check_file "the header" "$root/usr/include/tessel.h"
check_file "the CMake package" "$(dirname "$lib")/cmake/tessel/tesselConfig.cmake"
check "pkg-config file for /usr" "prefix=/usr" "$(head -1 "$(dirname "$lib")/pkgconfig/tessel.pc")"
check "CNSCVT.INI for /usr" "TablePath=/usr/share/tessel" "$(grep "^TablePath" "$root/usr/share/tessel/CNSCVT.INI" | tr -d '\r')"
check "five tables" "5" "$(ls "$root"/usr/share/tessel/share/*.TBL | wc -l)"
for page in tessel-convert tessel-string quillon-run pictor-roots; do
  check_file "manual page of $page" "$root/usr/share/man/man1/$page.1.gz"
done
for program in quillon pictor; do
  if [ -e "$root/usr/bin/$program" ]; then
    check_file "desktop entry of $program" "$root/usr/share/applications/$program.desktop"
    check_file "icon of $program" "$root/usr/share/icons/hicolor/scalable/apps/$program.svg"
    if command -v desktop-file-validate > /dev/null; then
      check "$program.desktop is valid" "" "$(desktop-file-validate "$root/usr/share/applications/$program.desktop")"
    fi
  fi
done
check_file "quillon" "$root/usr/bin/quillon"

# The converter from the scratch root: its library and tables are found beside it.
printf 'A\xa4\xa4\r\n' > "$work/in.big5"
"$root/usr/bin/tessel-convert" -f big5 -t cns "$work/in.big5" "$work/out.cns"
check "tessel-convert from the package" "0f1b2429471b242a48410e44630f0d0a0f" "$(hex "$work/out.cns")"
check "tessel-convert --version" "tessel-convert $(dpkg-deb -f "$deb" Version)" "$("$root/usr/bin/tessel-convert" --version)"

mkdir -p "$work/tree" "$work/logs"
touch "$work/tree/$(printf '\xef\x9a\xb1')"
"$root/usr/bin/quillon-run" --quiet --log-dir "$work/logs" "$work/tree" 2> "$work/quillon.err"
check "quillon-run from the package renames by its table" "no" \
  "$([ -e "$work/tree/$(printf '\xef\x9a\xb1')" ] && echo yes || echo no)"
finish
