#!/usr/bin/env bash
# tessel-convert's EUC-TW against the C library's (iconv) and ICU's (uconv) converters, both ways:
# what each peer writes is read by -f euc-tw as the same text, and what -t euc-tw writes is the
# peer's own bytes and reads back in the peer as the same text. The text is every Big5 character of
# the standard areas (CNS planes 1 and 2) with ASCII and line ends, and a plane-3 line for iconv,
# whose EUC-TW holds planes 1 to 7 (ICU's holds planes 1 and 2).
# Usage: euc_tw_peers_test.sh PATH/TO/tessel-convert
set -u
convert=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
same_file() {  # name expected actual
  if cmp -s "$2" "$3"; then echo "ok   $1"; else echo "FAIL $1: $(cmp "$2" "$3" 2>&1 | head -1)"; failures=$((failures + 1)); fi
}

# Big5 A440-C67E (frequent characters, plane 1) and C940-F9D5 (less frequent, plane 2), 60 to a
# line, read by the C library into UTF-8; without the duplicates C94A and DDFC, which the C library
# reads as compatibility ideographs that no EUC-TW holds.
python3 - > sample.big5 <<'PY'
import sys
codes = [bytes([lead, trail]) for lead in range(0xA4, 0xFA) for trail in list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
         if ((0xA440 <= lead * 256 + trail <= 0xC67E) or (0xC940 <= lead * 256 + trail <= 0xF9D5))
         and lead * 256 + trail not in (0xC94A, 0xDDFC)]
out = bytearray(b"ASCII 0-9, line ends\r\n")
for i, code in enumerate(codes):
    out += code
    if i % 60 == 59:
        out += b"\r\n"
sys.stdout.buffer.write(bytes(out) + b"\r\n")
PY
iconv -f BIG5 -t UTF-8 sample.big5 > sample.utf8 || { echo "FAIL iconv cannot read the sample"; exit 1; }
echo "sample: $(wc -m < sample.utf8) characters"

for peer in iconv uconv; do
  "$peer" -f UTF-8 -t EUC-TW sample.utf8 > "peer-$peer.euctw"
  check "$peer writes planes 1 and 2 (two-byte and 8E A2 forms)" "yes" \
    "$(od -An -tx1 -v "peer-$peer.euctw" | tr -d '\n' | grep -q ' 8e a2' && echo yes || echo no)"

  "$convert" -f euc-tw -t utf8 "peer-$peer.euctw" "from-$peer.utf8"
  same_file "$peer's EUC-TW read by -f euc-tw" sample.utf8 "from-$peer.utf8"

  "$convert" -f utf8 -t euc-tw sample.utf8 ours.euctw
  same_file "-t euc-tw writes what $peer writes" "peer-$peer.euctw" ours.euctw
  "$peer" -f EUC-TW -t UTF-8 ours.euctw > "ours-by-$peer.utf8"
  same_file "$peer reads -t euc-tw as the text" sample.utf8 "ours-by-$peer.utf8"

  # The peer's file passed off as the library's EUC: converted byte by byte, with a warning.
  "$convert" -f euc -t ucs "peer-$peer.euctw" wrong.ucs 2> err
  check "$peer's EUC-TW as -f euc warns and names euc-tw" "yes" "$(grep -q 'use -f euc-tw' err && echo yes || echo no)"
done

# Plane 3, in the C library's EUC-TW only: 8E A3 and the code.
printf '丨丶亅\r\n' > plane3.utf8
iconv -f UTF-8 -t EUC-TW plane3.utf8 > plane3-iconv.euctw
check "iconv writes plane 3 after 8E A3" "8ea3" "$(od -An -tx1 plane3-iconv.euctw | tr -d ' \n' | cut -c1-4)"
"$convert" -f euc-tw -t utf8 plane3-iconv.euctw plane3-ours.utf8
same_file "iconv's plane 3 read by -f euc-tw" plane3.utf8 plane3-ours.utf8
"$convert" -f utf8 -t euc-tw plane3.utf8 plane3-ours.euctw
same_file "-t euc-tw writes plane 3 as iconv does" plane3-iconv.euctw plane3-ours.euctw

[ "$failures" -eq 0 ] && echo "all passed" || { echo "$failures failed"; exit 1; }
