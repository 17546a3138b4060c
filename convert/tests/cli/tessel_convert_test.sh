#!/usr/bin/env bash
# Command-line tests of tessel-convert: the encodings, the character list, and one clear line for
# each refusal and bad option. Usage: tessel_convert_test.sh PATH/TO/tessel-convert
set -u
convert=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A temporary folder of the converter's own: what it leaves there is checked at the end.
mkdir "$work/tmp"
export TMPDIR=$work/tmp
cd "$work"
failures=0

hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
check() {  # name expected actual
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}

printf 'AB\r\n' > ab.txt
"$convert" -f big5 -t cns ab.txt ab.cns
check "Big5 to seven-bit CNS" "0f1b242947" "$(hex ab.cns | cut -c1-10)"
check "the whole seven-bit file" "0f1b2429471b242a4841420d0a0f" "$(hex ab.cns)"

printf '\xa4\xa4\xa4\xe5\r\n' > zh.big5
"$convert" -f big5 -t euc zh.big5 zh.euc
check "Big5 to EUC" "8ea1c4e38ea1c5c60d0a" "$(hex zh.euc)"
"$convert" -f euc -t big5 zh.euc zh.back
check "EUC back to Big5" "$(hex zh.big5)" "$(hex zh.back)"
"$convert" -f big5 -t utf8 zh.big5 zh.utf8
check "Big5 to UTF-8" "$(printf '中文\r\n' | od -An -tx1 | tr -d ' \n')" "$(hex zh.utf8)"
"$convert" -f utf8 -t gbk zh.utf8 zh.gbk
check "UTF-8 to GBK" "d6d0cec40d0a" "$(hex zh.gbk)"
"$convert" -f utf8 -t ucs zh.utf8 zh.ucs
check "UTF-8 to UCS-2" "fffe2d4e87650d000a00" "$(hex zh.ucs)"

cp zh.big5 inplace.txt
"$convert" -f big5 -t cns inplace.txt ./inplace.txt
check "in place" "0f1b2429471b242a480e44634546" "$(hex inplace.txt | cut -c1-28)"
check "no temporary file left" "inplace.txt" "$(ls -A | grep -i inplace)"

# A CNS character without a Big5 code is listed in the form, in the current directory.
printf '\x0f\x1b\x24\x29\x47\x1b\x24\x2a\x48\x1b\x4e\x7e\x7e\x0d\x0a\x0f' > missing.cns
"$convert" -f cns -t big5 --list missing.cns missing.big5 2> list.err
check "substitute" "<27E7E>" "$(head -c 7 missing.big5)"
check "list location" "tessel-convert: character list written to $work/CNSLIST.LOG" "$(cat list.err)"
check "list row" "1" "$(grep -c '2-7E7E' CNSLIST.LOG)"
check "list ends with the notes" "0d0a" "$(tail -c 2 CNSLIST.LOG | od -An -tx1 | tr -d ' \n')"

# Refusals and bad options: non-zero, one line.
"$convert" -f big5 -t gbk ab.txt x 2> err; rc=$?
check "refused pair exit" "1" "$rc"
check "refused pair message" "tessel-convert: the library cannot convert between these two encodings (result -1)" "$(cat err)"
"$convert" -f big5 -t cns missing-file x 2> err; rc=$?
check "missing source" "1 tessel-convert: the source file cannot be opened for reading and writing (result 5)" "$rc $(cat err)"
"$convert" -f big5 -t cns ab.txt no-such-dir/x 2> err; rc=$?
check "uncreatable target" "1 tessel-convert: the target file cannot be created or written (result 6)" "$rc $(cat err)"
mkdir empty-tables
"$convert" -f big5 -t cns --tables empty-tables ab.txt x 2> err; rc=$?
check "missing tables" "1" "$rc"
check "missing tables message" "tessel-convert: a code table file is missing from $work/empty-tables (result 3)" "$(cat err)"
"$convert" -f klingon -t cns ab.txt x 2> err; rc=$?
check "unknown encoding exit" "2" "$rc"
check "unknown encoding message" "tessel-convert: unknown encoding 'klingon' (use cns, euc, euc-tw, big5, ucs, gbk, utf8)" "$(head -1 err)"
"$convert" -f big5 ab.txt x 2> err; rc=$?
check "missing -t" "2 tessel-convert: both -f FROM and -t TO are needed" "$rc $(head -1 err)"
"$convert" -f big5 -t cns --bogus ab.txt x 2> err; rc=$?
check "unknown option" "2 tessel-convert: unknown option --bogus" "$rc $(head -1 err)"
printf '\xff\xfe' > bad.utf8
"$convert" -f utf8 -t big5 bad.utf8 bad.out 2> err; rc=$?
check "invalid UTF-8" "1 tessel-convert: the input is not valid UTF-8 (byte 0)" "$rc $(cat err)"
check "nothing written for invalid input" "no" "$( [ -e bad.out ] && echo yes || echo no)"

"$convert" -f euc-tw -t euc-tw zh.big5 x 2> err; rc=$?
check "same host form both sides" "2 tessel-convert: nothing to convert: FROM and TO are the same encoding" "$rc $(head -1 err)"

# EUC-TW: plane 1 in two bytes, the other planes after 8E; both forms read.
"$convert" -f big5 -t euc-tw zh.big5 zh.euctw
check "Big5 to EUC-TW" "c4e3c5c60d0a" "$(hex zh.euctw)"
printf '\xc4\xe3\x8e\xa1\xc5\xc6\x8e\xa2\xa1\xa1\r\n' > mixed.euctw
"$convert" -f euc-tw -t euc mixed.euctw mixed.euc
check "EUC-TW in both forms to the library's EUC" "8ea1c4e38ea1c5c68ea2a1a10d0a" "$(hex mixed.euc)"
"$convert" -f euc -t euc-tw mixed.euc back.euctw
check "and back, plane 1 in two bytes" "c4e3c5c68ea2a1a10d0a" "$(hex back.euctw)"
"$convert" -f euc-tw -t utf8 mixed.euctw mixed.utf8 2> err
check "EUC-TW to UTF-8" "$(printf '中文乂\r\n' | od -An -tx1 | tr -d ' \n')" "$(hex mixed.utf8)"
"$convert" -f euc -t big5 zh.euctw zh.wrong 2> err; rc=$?
check "two-byte characters read as euc: converted as bytes" "0 c4e3c5c60d0a" "$rc $(hex zh.wrong)"
check "with a warning naming euc-tw" \
  "tessel-convert: warning: $work/zh.euctw holds 2 two-byte characters, which -f euc passes on as single bytes; for EUC-TW as other tools write it use -f euc-tw" \
  "$(cat err)"
"$convert" -f euc -t big5 zh.euc zh.right 2> err
check "no warning for the library's EUC" "" "$(cat err)"
cp zh.euctw inplace.euctw
"$convert" -f euc-tw -t big5 inplace.euctw inplace.euctw
check "EUC-TW converted in place" "$(hex zh.big5)" "$(hex inplace.euctw)"
check "no temporary file left beside it" "inplace.euctw" "$(ls -A | grep euctw | grep inplace)"

# The tables are read where they are: nothing is copied or left in the temporary folder.
check "temporary folder left empty" "" "$(ls -A "$TMPDIR")"

[ "$failures" -eq 0 ] && echo "all passed" || { echo "$failures failed"; exit 1; }
