#!/usr/bin/env bash
# The Windows frame under Wine and Xvfb (no window manager), in a Wine prefix of its own with code
# page 950 and no Z: (its only other drive, T:, is the test's folder):
#  - the frame's mapping in the process (pictor_frame_tests.exe);
#  - the program driven with real keys (xdotool) on demonstration data made by pictor-mkfixture.exe
#    and imported with regedit: the start-up chain (設定字形, then 設定列印範圍), commands dead before
#    a choice, the notes box, 標準造字 taking 細明體's link out of the registry and 結束 putting it
#    back, the range dialog's fields and refusals with their message boxes, and a kill -9 after
#    which the next start puts the link back. What the controls show is read with window-texts.exe.
# The program is pictor-frame-probe.exe: the frame as pictor.exe runs it, with a printing side of
# the tests that writes each request it gets into a log.
#
#   frame_test.sh BIN_DIR WORK_DIR
set -uo pipefail
. "$(dirname "$0")/wine_session.sh"
start_session "$1" "$2" pictor_frame_tests pictor-frame-probe
work=$2

echo "== the frame's mapping in the process"
wine pictor_frame_tests.exe || failures=$((failures + 1))

echo "== the program under keys"
import_demo_data

frame_title="自造字 - 列印程式"
# 細明體's link as the registry has it now, or "none".
ming_link() {
  wine reg query 'HKCU\EUDC\950' /v 細明體 2> /dev/null | iconv -f CP950 -t UTF-8 | grep -o 'T:\\demo\\mingliu.tte' ||
    echo none
}
keys() { xdotool key --window "$1" "${@:2}" 2> /dev/null; sleep 0.4; }
typed() { xdotool type --window "$1" "$2" 2> /dev/null; sleep 0.4; }
control() { texts "$1" | awk -F'\t' -v id="$2" '$1 == id { print $3 "|" $4 "|" $5 }'; }
start() {
  PICTOR_PROBE_LOG='T:\printing.log' wine pictor-frame-probe.exe > "$work/probe.out" 2>&1 &
  program=$!
}
ended() {
  for _ in $(seq 100); do
    kill -0 "$program" 2> /dev/null || { program=""; return 0; }
    sleep 0.1
  done
  return 1
}
menu() {  # FRAME MENU-LETTER ITEM-KEY
  keys "$1" "alt+$2"
  keys "$1" "$3"
}

check "the demonstration data links 細明體" 'T:\demo\mingliu.tte' "$(ming_link)"

start
dialog=$(window 設定字形) || fail "設定字形 does not open at start"
frame=$(window "$frame_title") || fail "no frame"
check "設定字形 lists the associations" "1|0|確定" "$(control 設定字形 1)"
keys "$dialog" Escape
gone 設定字形 || fail "設定字形 stays open"
sleep 1
check "a cancelled choice opens no range dialog" "" "$(xdotool search --onlyvisible --name '^設定列印範圍$' 2> /dev/null)"
keys "$frame" ctrl+p
menu "$frame" f l
menu "$frame" f s  # 列印設定, always there
check "no choice: Ctrl+P and 設定列印範圍 do nothing, 列印設定 works" "AskPageSetup" \
  "$(cat "$work/t/printing.log" 2> /dev/null | tr -d '\r')"
check "no choice: no range dialog from the menu" "" "$(xdotool search --onlyvisible --name '^設定列印範圍$' 2> /dev/null)"
menu "$frame" h Return
notes=$(window 造字列印-註解) || fail "註解 shows no box"
check "註解's text" "1" "$(texts 造字列印-註解 | grep -c '【新注音/新倉頡】與【注音/倉頡】之字根資料完全相同。')"
keys "$notes" Return
gone 造字列印-註解 || fail "the notes box stays"

menu "$frame" f r
dialog=$(window 設定字形) || fail "設定字形 does not open from the menu"
keys "$dialog" Return  # 確定 on the first item, 標準造字
range=$(window 設定列印範圍) || fail "設定列印範圍 does not follow the choice"
check "the caption names the association" "1" "$(xdotool search --name '^標準造字 - 列印程式$' 2> /dev/null | wc -l)"
check "標準造字 takes 細明體's link out" "none" "$(ming_link)"
check "全部 checked, the fields disabled" "1|1|全部(&A)" "$(control 設定列印範圍 1601)"
check "the start field shows FA40, disabled" "0|0|FA40" "$(control 設定列印範圍 1401)"
check "the end field shows FEFE" "0|0|FEFE" "$(control 設定列印範圍 1402)"

keys "$range" alt+d
check "字碼 enables the fields" "1|0|FA40" "$(control 設定列印範圍 1401)"
keys "$range" alt+f
check "the start field is emptied when it gets the focus" "1|0|" "$(control 設定列印範圍 1401)"
typed "$range" g
check "g is refused" "1|0|" "$(control 設定列印範圍 1401)"
typed "$range" a140
box=$(window 列印程式) || fail "A140 is not refused"
check "A140 is told" "1" "$(texts 列印程式 | grep -c '不是正確的外字字碼！')"
keys "$box" Return
gone 列印程式 || fail "the message stays"
check "and the field is emptied" "1|0|" "$(control 設定列印範圍 1401)"
typed "$range" fefe
check "fefe shows upper-case" "1|0|FEFE" "$(control 設定列印範圍 1401)"
check "and moves on to the end field, emptied" "1|0|" "$(control 設定列印範圍 1402)"
typed "$range" fa40
keys "$range" Return
box=$(window 列印程式) || fail "a start after the end is not refused"
check "a start after the end is told" "1" "$(texts 列印程式 | grep -c '起始碼大於結束碼！')"
keys "$box" Return
gone 列印程式 || fail "the message stays"
keys "$range" alt+f
typed "$range" fa4
keys "$range" Return
box=$(window 列印程式) || fail "an incomplete start code is not refused"
check "an incomplete start code is told" "1" "$(texts 列印程式 | grep -c '起始碼輸入尚未完成！')"
keys "$box" Return
gone 列印程式 || fail "the message stays"
check "the dialog stays open" "1" "$(xdotool search --onlyvisible --name '^設定列印範圍$' 2> /dev/null | wc -l)"
keys "$range" Escape
gone 設定列印範圍 || fail "設定列印範圍 stays open"

keys "$frame" ctrl+p
check "a choice made: Ctrl+P reaches the print dialog" "AskPrint 1-32" "$(tail -1 "$work/t/printing.log" 2> /dev/null | tr -d '\r')"
menu "$frame" f x
ended || fail "結束 does not end the program"
check "結束 puts 細明體's link back" 'T:\demo\mingliu.tte' "$(ming_link)"

echo "== killed while the link is out"
start
dialog=$(window 設定字形) || fail "設定字形 does not open at the second start"
keys "$dialog" Return
range=$(window 設定列印範圍) || fail "no range dialog"
check "the link is out again" "none" "$(ming_link)"
kill -9 "$program"
wait "$program" 2> /dev/null
program=""
wineserver -w
check "after kill -9 the link is still out" "none" "$(ming_link)"
start
dialog=$(window 設定字形) || fail "設定字形 does not open after the kill"
check "the next start puts the link back" 'T:\demo\mingliu.tte' "$(ming_link)"
keys "$dialog" Escape
frame=$(window "$frame_title") || fail "no frame"
menu "$frame" f x
ended || fail "結束 does not end the program"

if [ "$failures" -eq 0 ]; then echo "all passed"; exit 0; fi
echo "$failures failed"
exit 1
