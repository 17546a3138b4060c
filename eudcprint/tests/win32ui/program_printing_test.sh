#!/usr/bin/env bash
# pictor.exe, the program that ships, printing under Wine and Xvfb (no window manager), in a Wine
# prefix of its own with code page 950 and no Z: (its only other drive, T:, is the test's folder),
# with the test printer (Wine's PostScript driver on FILE:) added by pictor-printing-host.exe:
#  - demonstration data from pictor-mkfixture.exe imported with regedit; 標準造字 and a range chosen;
#  - 預覽列印: the preview's toolbar texts in order, paging and two pages told by its description,
#    拉近 making 拉遠 work, 關閉;
#  - the preview's 列印 opening the print dialog with the range's pages; 列印至檔案 ticked there, the
#    file named in the save dialog: the printing box goes, and Ghostscript finds the range's pages
#    in the file, each with ink.
# The glyph in each box is checked on the printing side's own test (printing_wine_test.sh).
#
#   program_printing_test.sh BIN_DIR WORK_DIR [--pictures FOLDER]
#
# With --pictures, the preview (two pages) and the first printed page go into FOLDER as
# pictor-win32-preview.png and pictor-win32-printed-page.png.
set -uo pipefail
. "$(dirname "$0")/wine_session.sh"
work=$2
pictures=""
if [ "${3:-}" = "--pictures" ]; then pictures=$(realpath "$4"); fi
start_session "$1" "$2" pictor pictor-printing-host
import_demo_data
wine pictor-printing-host.exe install-printer "Pictor Test Printer" > /dev/null || fail "no test printer"
wineserver -w

keys() { xdotool key --window "$1" "${@:2}" 2> /dev/null; sleep 0.5; }
typed() { xdotool type --window "$1" --delay 60 "$2" 2> /dev/null; sleep 0.5; }
shot() {  # WINDOW FILE
  [ -n "$pictures" ] || return 0
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

wine pictor.exe > "$work/pictor.out" 2>&1 &
program=$!
font=$(window 設定字形 600) || fail "設定字形 does not open"
keys "$font" Return
range=$(window 設定列印範圍) || fail "設定列印範圍 does not follow"
keys "$range" alt+d
keys "$range" alt+f
typed "$range" fa40
typed "$range" fb7e
keys "$range" Return
gone 設定列印範圍 || fail "the range FA40-FB7E is refused"
frame=$(window '標準造字 - 列印程式') || fail "no frame named after 標準造字"

echo "== 預覽列印"
keys "$frame" alt+f
keys "$frame" v
# The preview is captioned as the frame is: the other shown window of that title.
preview=""
for _ in $(seq 100); do
  preview=$(xdotool search --onlyvisible --name '^標準造字 - 列印程式$' 2> /dev/null | grep -vx "$frame" | head -1)
  [ -n "$preview" ] && break
  sleep 0.1
done
[ -n "$preview" ] || fail "the preview does not open"
sleep 1
toolbar=$(texts '標準造字 - 列印程式' | awk -F'\t' '$2 == "Button" { printf "%s ", $5 }')
check "the toolbar's buttons in order" "列印(&P)... 下一頁(&N) 上一頁(&V) 兩頁(&T) 拉近(&I) 拉遠(&O) 關閉(&C) " "$toolbar"
description() { texts '標準造字 - 列印程式' | awk -F'\t' '$2 == "Static" && $5 ~ /頁/ { print $5 }' | head -1; }
check "the first page" "第 1 頁" "$(description)"
keys "$preview" alt+n
check "下一頁" "第 2 頁" "$(description)"
keys "$preview" alt+v
keys "$preview" alt+t
check "兩頁" "第 1 到 2 頁" "$(description)"
shot "$preview" "$pictures/pictor-win32-preview.png"
button_enabled() { texts '標準造字 - 列印程式' | awk -F'\t' -v label="$1" '$5 == label { print $3 }'; }
check "拉遠 greyed before 拉近" "0" "$(button_enabled '拉遠(&O)')"
keys "$preview" alt+i
check "拉近 makes 拉遠 work" "1" "$(button_enabled '拉遠(&O)')"
keys "$preview" alt+c
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^標準造字 - 列印程式$' 2> /dev/null | grep -qvx "$frame" || break
  sleep 0.1
done
check "關閉 closes the preview" "" "$(xdotool search --onlyvisible --name '^標準造字 - 列印程式$' 2> /dev/null | grep -vx "$frame")"

echo "== 列印 to a file, from the preview's 列印"
keys "$frame" alt+f
keys "$frame" v
preview=""
for _ in $(seq 100); do
  preview=$(xdotool search --onlyvisible --name '^標準造字 - 列印程式$' 2> /dev/null | grep -vx "$frame" | head -1)
  [ -n "$preview" ] && break
  sleep 0.1
done
[ -n "$preview" ] || fail "the preview does not open again"
sleep 1
keys "$preview" alt+p
dialog=$(window 列印) || fail "the preview's 列印 opens no print dialog"
field() { texts 列印 | awk -F'\t' -v id="$1" '$1 == id { print $5 }'; }
check "the print dialog offers pages 1 to 2" "1-2" "$(field 1152)-$(field 1153)"
keys "$dialog" alt+l  # 列印至檔案
keys "$dialog" Return
save=$(window 列印至檔案) || fail "列印至檔案 asks for no file"
keys "$save" alt+n End shift+Home
typed "$save" catalogue.ps
keys "$save" Return
window 列印程式 50 > /dev/null || echo "(the printing box went before it was seen)"
gone 列印程式 || fail "the printing box stays"
gone 列印至檔案 || fail "the save dialog stays"
for _ in $(seq 100); do [ -s catalogue.ps ] && grep -q '^%%EOF' catalogue.ps && break; sleep 0.1; done
check "two pages in the file" "2" "$(grep -c '^%%Page: ' catalogue.ps)"
# Each page rendered has ink: Ghostscript's bounding box of what is drawn is not empty.
boxes=$(gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox catalogue.ps 2>&1 | grep -c '^%%BoundingBox: [0-9]* [0-9]* [1-9]')
check "both pages printed with ink" "2" "$boxes"
if [ -n "$pictures" ]; then
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pnggray -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$pictures/pictor-win32-printed-page.png" catalogue.ps
fi

keys "$frame" alt+f
keys "$frame" x  # 結束(&X)
for _ in $(seq 100); do kill -0 "$program" 2> /dev/null || { program=""; break; }; sleep 0.1; done
check "結束 ends the program" "" "$program"
if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "pictor.exe's printing under Wine: all checks passed"
