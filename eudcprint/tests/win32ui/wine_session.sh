# Sourced by the Windows program's tests: checks, a virtual screen (Xvfb, no window manager), a Wine
# prefix of the test's own with code page 950 and no Z: (its only other drive, T:, is WORK/t), the
# programs copied onto T:, pictor's demonstration data, and the helpers that find windows
# and read their controls.
#
#   . wine_session.sh; start_session BIN_DIR WORK_DIR PROGRAM...   (leaves the shell in WORK/t)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
failures=0
check() {  # NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
fail() { echo "FAIL $*"; exit 1; }

xvfb=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2> /dev/null
  wineserver -k 2> /dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null
}
trap cleanup EXIT

start_session() {  # BIN_DIR WORK_DIR PROGRAM...
  local bin=$1 work=$2 program_file
  shift 2
  rm -rf "$work"
  mkdir -p "$work/t"
  Xvfb -displayfd 6 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 6> "$work/display" > /dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
  eval "$("$root/scripts/wine-prefix" "$work/prefix" --chinese --drive "T=$work/t")" || fail "no Wine prefix"
  for program_file in "$@" pictor-mkfixture window-texts; do
    cp "$bin/$program_file.exe" "$work/t/" || fail "no $program_file.exe in $bin"
  done
  cd "$work/t" || fail "no $work/t"
}

# pictor's demonstration data in T:\demo, its links imported into the prefix's registry.
import_demo_data() {
  wine pictor-mkfixture.exe 'T:\demo' > /dev/null 2>&1 || fail "pictor-mkfixture.exe"
  wine regedit /S 'T:\demo\registry.reg' || fail "regedit"
  wineserver -w
}

# Waits for a shown window of exactly this title; prints its id.
window() {  # TITLE [TENTHS-OF-A-SECOND]
  for _ in $(seq "${2:-150}"); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window $1" >&2
  return 1
}
# Waits for no shown window of this title to be left.
gone() {  # TITLE
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "^$1\$" > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
# The controls of a window: "id class enabled checked text" per line.
texts() { wine window-texts.exe "$1" 2> /dev/null | tr -d '\r'; }
