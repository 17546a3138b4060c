#!/usr/bin/env bash
# pictor's printing side for Windows under Wine, in a private prefix (drive T: its only folder
# outside it) with a display of its own:
#  - the library's tests (pictor_win32_printing_tests.exe), which add the test printer;
#  - the test host prints catalogue pages of a generated EUDC font lacking some codes into
#    PostScript, which Ghostscript renders and printed_pages.py reads: each box holds the glyph of
#    its code, the codes the font lacks leave their boxes empty; pages and copies asked for;
#  - the preview driven by its buttons' keys with xdotool: paging, two pages, 關閉 and 列印.
#
#   printing_wine_test.sh WIN32_BIN NATIVE_BIN [--pictures FOLDER]
#
# WIN32_BIN holds the Windows programs, NATIVE_BIN pictor-mkfont. With --pictures, the preview's
# screenshot and a printed page go into FOLDER as pictor-win32-preview.png and
# pictor-win32-printed-page.png.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
win32=$(realpath "$1")
native=$(realpath "$2")
pictures=""
if [ "${3:-}" = "--pictures" ]; then pictures=$(realpath "$4"); fi

folder=$(mktemp -d "${TMPDIR:-/tmp}/pictor-printing-XXXXXX")
xvfb=""
cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2> /dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2> /dev/null || true; fi
  rm -rf "$folder"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

mkdir "$folder/t"
eval "$("$root/scripts/wine-prefix" "$folder/prefix" --chinese --drive "T=$folder/t")"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$folder/display" 2> /dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$folder/display" ] && break; sleep 0.1; done
[ -s "$folder/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$folder/display")"
cp "$win32/pictor_win32_printing_tests.exe" "$win32/pictor-printing-host.exe" "$folder/t/"
host() { wine 'T:\pictor-printing-host.exe' "$@"; }

echo "== the library's tests"
wine 'T:\pictor_win32_printing_tests.exe' --gtest_brief=1 || fail "pictor_win32_printing_tests"

echo "== printed pages"
omitted=(FA41 FA48 FA7E FAA1 FB40)
"$native/pictor-mkfont" "$folder/t/eudc.tte" --omit "${omitted[@]}" > /dev/null
host install-printer "Pictor Test Printer"
host print 'T:\eudc.tte' FA40-FB7E 'T:\catalogue.ps' | tr -d '\r' | tee "$folder/printed"
grep -qx "pages: 2" "$folder/printed" || fail "FA40-FB7E takes two pages"
grep -qx "codes without a glyph: 5" "$folder/printed" || fail "five codes without a glyph"
images=""
if [ -n "$pictures" ]; then images="$folder/pages"; fi
(IFS=,; python3 "$here/printed_pages.py" "$folder/t/catalogue.ps" "$(grep '^layout:' "$folder/printed")" FA40-FB7E \
  "${omitted[*]}" $images) || fail "the printed pages"

host print 'T:\eudc.tte' FA40-FB7E 'T:\copies.ps' --pages 2-2 --copies 3 | tr -d '\r' > "$folder/copies"
grep -qx "pages: 3" "$folder/copies" || fail "page 2, three times: $(cat "$folder/copies")"
[ "$(grep -c '^%%Page: ' "$folder/t/copies.ps")" = 3 ] || fail "three pages in the file"

echo "== the preview, driven by its keys"
# Runs the preview, presses the keys given (waiting after each), and tells what the host said.
preview() {
  host preview 'T:\eudc.tte' FA40-FEFE > "$folder/preview" 2>&1 &
  local program=$! window
  window=$(xdotool search --sync --onlyvisible --name '列印程式' 2> /dev/null | head -1)
  sleep 2
  for key in "$@"; do
    if [ "$key" = picture ]; then
      [ -n "$pictures" ] || continue
      eval "$(xdotool getwindowgeometry --shell "$window" 2> /dev/null)"
      import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$pictures/pictor-win32-preview.png"
      continue
    fi
    xdotool key --window "$window" "$key" 2> /dev/null
    sleep 1
  done
  wait "$program" || true
  tr -d '\r' < "$folder/preview"
}
shown=$(preview alt+n alt+t picture alt+c)
echo "$shown"
grep -qx "shown: 2-3" <<< "$shown" || fail "下一頁 then 兩頁 show pages 2 and 3"
grep -qx "description: 第 2 到 3 頁" <<< "$shown" || fail "the description of pages 2 and 3"
grep -qx "print asked: no" <<< "$shown" || fail "關閉 asks no print"
printed=$(preview alt+n alt+n alt+v alt+p)
grep -qx "shown: 2-2" <<< "$printed" || fail "下一頁 twice then 上一頁 show page 2: $printed"
grep -qx "print asked: yes" <<< "$printed" || fail "列印 asks for print"

if [ -n "$pictures" ]; then
  convert "$folder/pages/page-1.pgm" -resize 50% "$pictures/pictor-win32-printed-page.png"
fi
if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "pictor's printing under Wine: all checks passed"
