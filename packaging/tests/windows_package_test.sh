#!/usr/bin/env bash
# Makes the zip of the Windows build, unpacks it and uses it under Wine: tessel-convert.exe converts
# Makes the zip of the Windows build, unpacks it and uses it under Wine: tessel-convert.exe converts
# a file from another folder, quillon-run.exe renames by its table, pictor-mkfixture.exe writes
# pictor.exe's demonstration data, and a host built against the zip's header and import library
# converts a string in the zip's folder. The licence and the notices of the tables' data are in the
# zip, with CR LF line ends, and quillon.exe is beside quillon-run.exe and its table. The programs
# run in a private prefix made here (PREFIX, made by WINE_PREFIX_SCRIPT) whose only drive besides
# its own C: is T:, this test's temporary folder: quillon-run renames, and Wine's default prefix
# reaches the whole file system through Z:.
# Usage: windows_package_test.sh BUILD_DIR C_COMPILER WINE_PREFIX_SCRIPT PREFIX CONSUMER_C LICENSE
#                                TABLES_NOTICE
set -u
. "$(dirname "$0")/check.sh"
build=$1
cc=$2
wine_prefix=$3
prefix=$4
consumer=$5
license=$6
notice=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/out" > "$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; echo "FAIL cpack"; exit 1
fi
zip=$(ls "$work"/out/*.zip)
echo "package: $(basename "$zip")"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
package=$(ls -d "$work"/unpacked/*)
for file in tessel.dll tessel-convert.exe quillon.exe quillon-run.exe uc-o2n.tbl pictor.exe pictor-mkfixture.exe CNSCVT.INI LICENSE.txt THIRD-PARTY-NOTICES.txt include/tessel.h \
            lib/libtessel.dll.a share/CNS_B5.TBL share/CNS_B5E.TBL share/CNS_B5U.TBL share/CNS_UCS.TBL share/CNS_GBK.TBL; do
  check_file "$file" "$package/$file"
done
same_with_crlf() {  # SOURCE FILE: FILE is SOURCE with CR LF line ends
  cmp -s <(sed 's/$/\r/' "$1") "$2" && echo same || echo different
}
check "LICENSE.txt is the licence, in CR LF lines" "same" "$(same_with_crlf "$license" "$package/LICENSE.txt")"
check "THIRD-PARTY-NOTICES.txt holds the tables' notices, in CR LF lines" "same" \
  "$(same_with_crlf "$notice" "$package/THIRD-PARTY-NOTICES.txt")"

if ! environment=$("$wine_prefix" "$prefix" --drive T="$work"); then
  echo "FAIL the private Wine prefix"; exit 1
fi
eval "$environment"
trap 'wineserver -k 2> /dev/null; rm -rf "$work" "$prefix"' EXIT
if ! "$wine_prefix" --check "$prefix" "$work"; then
  echo "FAIL the prefix reaches outside itself and T:"; exit 1
fi
# The unpacked package as the programs see it, on T:.
package_on_t="T:\\${package#"$work/"}"
package_on_t=${package_on_t//\//\\}

mkdir "$work/elsewhere"
cd "$work/elsewhere"
printf 'A\xa4\xa4\r\n' > in.big5
wine "$package_on_t\\tessel-convert.exe" -f big5 -t cns in.big5 out.cns
check "tessel-convert.exe" "0f1b2429471b242a48410e44630f0d0a0f" "$(hex out.cns)"
printf '\x0f\x1b\x24\x29\x47\x1b\x24\x2a\x48\x1b\x4e\x7e\x7e\x0d\x0a\x0f' > missing.cns
wine "$package_on_t\\tessel-convert.exe" -f cns -t big5 --list missing.cns missing.big5 2> /dev/null
check "tessel-convert.exe --list writes the form here" "1" "$(grep -c '2-7E7E' CNSLIST.LOG 2> /dev/null)"
check "and not in the package" "no" "$([ -e "$package/CNSLIST.LOG" ] && echo yes || echo no)"

mkdir tree logs
touch "tree/$(printf '\xef\x9a\xb1')"
wine "$package_on_t\\quillon-run.exe" --quiet --log-dir logs tree 2> /dev/null
check "quillon-run.exe renames by its table" "no" "$([ -e "tree/$(printf '\xef\x9a\xb1')" ] && echo yes || echo no)"

wine "$package_on_t\\pictor-mkfixture.exe" demo > /dev/null 2>&1
check "pictor-mkfixture.exe writes the demonstration data here" "yes yes" \
  "$([ -s demo/eudc.tte ] && echo yes) $(iconv -f UTF-16 -t UTF-8 demo/registry.reg 2> /dev/null | grep -q 'EUDC' && echo yes)"

"$cc" -I"$package/include" "$consumer" -L"$package/lib" -ltessel -o "$package/consumer.exe"
check "host built against the import library" "41 0E 44 63" \
  "$(cd "$package" && wine consumer.exe | tr -d '\r')"
finish
