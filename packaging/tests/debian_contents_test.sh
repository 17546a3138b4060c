#!/usr/bin/env bash
# The Debian packages as a distribution splits them: the five packages, each with the licence in
# its copyright file and a changelog of its version; the library package with the library alone,
# its ldconfig trigger, shlibs and symbols; the development package; and each package depending
# on exactly the packages of the libraries its programs link.
# Usage: debian_contents_test.sh PACKAGE_DIR VERSION LICENSE TABLES_NOTICE
set -u
. "$(dirname "$0")/check.sh"
dir=$1
version=$2
license=$3
notice=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2> /dev/null)
packages="libtessel1 libtessel-dev tessel-tools quillon pictor"

check "the packages" "$(echo $packages | tr ' ' '\n' | sort | sed "s/\$/_${version}_${arch}.deb/")" \
  "$(cd "$dir" && ls -1 ./*.deb | sed 's|^\./||' | sort)"
deb() { echo "$dir/${1}_${version}_${arch}.deb"; }
for package in $packages; do
  dpkg -x "$(deb "$package")" "$work/$package"
  dpkg-deb -e "$(deb "$package")" "$work/$package.control"
done

# `contains NAME TEXT_FILE IN_FILE`: the whole text of one file stands in the other.
contains() {
  check "$1" "yes" "$(python3 -c 'import sys; print("yes" if open(sys.argv[1]).read().strip() in open(sys.argv[2]).read() else "no")' "$2" "$3")"
}

# The licence in every package, in the machine-readable copyright format; the changelog of the
# package's version.
holder=$(sed -n 's/^Copyright (c) //p' "$license")
sed -n '/^Permission/,$p' "$license" > "$work/license-terms"
for package in $packages; do
  doc=$work/$package/usr/share/doc/$package
  check "$package: machine-readable copyright" \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$(head -1 "$doc/copyright")"
  check "$package: every file under the project's licence" "Files: *|Copyright: $holder|License: Expat" \
    "$(grep -A2 '^Files: \*$' "$doc/copyright" | paste -sd'|')"
  # A licence paragraph's text, its lines unindented and " ." as empty lines.
  sed -n '/^License: Expat$/,/^$/p' "$doc/copyright" | sed '1d; s/^ //; s/^\.$//' > "$work/$package.terms"
  contains "$package: the licence's terms" "$work/license-terms" "$work/$package.terms"
  check "$package: changelog of this version" "$version" \
    "$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version 2> /dev/null)"
done

# The notices of the code tables' data wherever the tables are: every notice's text stands in the
# copyright file, on a paragraph that covers the tables.
tools=$work/tessel-tools
sed 's/^ //; s/^\.$//' "$tools/usr/share/doc/tessel-tools/copyright" > "$work/tools-copyright-text"
awk -v out="$work/notice-" '/^----------+$/ { n++; next } n > 0 { print > (out n) }' "$notice"
for section in "$work"/notice-*; do
  contains "tessel-tools: the tables' notice $(basename "$section")" "$section" "$work/tools-copyright-text"
done
pattern=$(sed -n 's/^Files: \(.*share\/tessel.*\)$/\1/p' "$tools/usr/share/doc/tessel-tools/copyright")
check "tessel-tools: the notices cover the five tables" "5" \
  "$(cd "$tools" && for f in $pattern; do [ -f "$f" ] && echo "$f"; done | grep -c '\.TBL$')"

# The library package: the library alone, ldconfig run by a trigger, shlibs and symbols.
lib=$work/libtessel1
files=$(cd "$lib" && find . ! -type d ! -path './usr/share/doc/*' -printf '%f\n')
check "libtessel1 holds the library alone" "" "$(echo "$files" | grep -v '^libtessel\.so\.1\(\.[0-9.]*\)\?$')"
check_file "libtessel1: the SONAME link" "$(ls -d "$lib"/usr/lib/*/)libtessel.so.1"
check "libtessel1's ldconfig trigger" "activate-noawait ldconfig" "$(cat "$work/libtessel1.control/triggers")"
check "libtessel1 has no maintainer scripts" "" \
  "$(cd "$work/libtessel1.control" && ls preinst postinst prerm postrm 2> /dev/null)"
check "libtessel1's shlibs" "libtessel 1 libtessel1 (>= $version)" "$(cat "$work/libtessel1.control/shlibs")"
library=$(ls "$lib"/usr/lib/*/libtessel.so.1.*)
if dpkg-gensymbols -plibtessel1 -v"$version" -P"$lib" -I"$work/libtessel1.control/symbols" -O"$work/symbols" -c4 \
     -e"$library" > "$work/gensymbols.log" 2>&1; then
  echo "ok   libtessel1's symbols are the library's exports"
else
  cat "$work/gensymbols.log"; check "libtessel1's symbols are the library's exports" "yes" "no"
fi

# The development package: the link, header, CMake package and pkg-config file, at this version of
# the library.
dev=$work/libtessel-dev
check "libtessel-dev: the link to the library" "libtessel.so.1" "$(readlink "$dev"/usr/lib/*/libtessel.so)"
check_file "libtessel-dev: the header" "$dev/usr/include/tessel.h"
check_file "libtessel-dev: the CMake package" "$(ls -d "$dev"/usr/lib/*/cmake/tessel)/tesselConfig.cmake"
check "libtessel-dev: tessel.pc for /usr" "prefix=/usr" "$(head -1 "$dev"/usr/lib/*/pkgconfig/tessel.pc)"
check "libtessel-dev depends on this version of the library" "libtessel1 (= $version)" \
  "$(dpkg-deb -f "$(deb libtessel-dev)" Depends)"

# Each package depends on exactly the packages of the libraries its programs link: ours by the
# package that ships it, the others by the package of this machine that holds them.
package_of_library() {  # SONAME
  local ours
  for ours in $packages; do
    if [ -n "$(find "$work/$ours" -name "$1" ! -type d)" ]; then echo "$ours"; return; fi
  done
  dpkg-query -S "*/$multiarch/$1" 2> /dev/null | grep -v '/debug/' | cut -d: -f1 | sort -u
}
for package in libtessel1 tessel-tools quillon pictor; do
  needed=$(find "$work/$package" -type f -exec sh -c 'file -b "$1" | grep -q "^ELF"' _ {} \; -print |
           xargs -r objdump -p | awk '$1 == "NEEDED" { print $2 }' | sort -u)
  linked=$(for soname in $needed; do package_of_library "$soname"; done | sort -u | paste -sd' ')
  declared=$(dpkg-deb -f "$(deb "$package")" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort -u | paste -sd' ')
  check "$package depends on what its programs link" "$linked" "$declared"
done
check "tessel-tools depends on this build's library" "yes" \
  "$(dpkg-deb -f "$(deb tessel-tools)" Depends | grep -q "libtessel1 (= $version)" && echo yes || echo no)"
for package in quillon pictor; do
  check "$package recommends a Chinese font and Qt's translations" "fonts-arphic-uming, qt6-translations-l10n" \
    "$(dpkg-deb -f "$(deb "$package")" Recommends)"
done

# Every program is in the package named for it, with its manual page; each desktop program with its
# desktop entry and icon.
for package in tessel-tools quillon pictor; do
  for program in "$work/$package"/usr/bin/*; do
    name=$(basename "$program")
    check_file "$package: manual page of $name" "$work/$package/usr/share/man/man1/$name.1.gz"
  done
done
check "tessel-tools' programs" "tessel-convert tessel-string" "$(ls "$tools/usr/bin" | paste -sd' ')"
check "quillon's programs" "quillon quillon-run" "$(ls "$work/quillon/usr/bin" | paste -sd' ')"
check "quillon's rename table beside its programs" "quillon quillon-run uc-o2n.tbl" \
  "$(ls "$work"/quillon/usr/libexec/quillon | paste -sd' ')"
check "pictor's programs" "pictor pictor-mkfixture pictor-mkfont pictor-print pictor-roots" \
  "$(ls "$work/pictor/usr/bin" | paste -sd' ')"
for program in quillon pictor; do
  root=$work/$program
  check_file "desktop entry of $program" "$root/usr/share/applications/$program.desktop"
  check_file "icon of $program" "$root/usr/share/icons/hicolor/scalable/apps/$program.svg"
  if command -v desktop-file-validate > /dev/null; then
    check "$program.desktop is valid" "" "$(desktop-file-validate "$root/usr/share/applications/$program.desktop")"
  fi
done
finish
