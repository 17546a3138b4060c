#!/usr/bin/env bash
# The setup program under Wine, in a private prefix made here (PREFIX, in the build folder) that
# reaches no file outside itself and this test's temporary folder: Wine's drive Z: (the whole file
# system) is removed, the profile's folders that Wine links to the home folder become folders of
# their own, and the only other drive, T:, is the temporary folder. Then:
# - the build's setup installs silently into Program Files: the files staged by the install rules,
#   the uninstaller, the Start-menu entries of the window programs it holds (ENTRIES:
#   program.exe=name of the entry), the entry in the list of installed programs; the installed
#   tessel-convert.exe converts a file and quillon-run.exe renames a tree on T:, writing its log
#   under the profile;
#   pictor.exe starts and shows 設定字形, and ends when told to close;
# - a second setup (with stand-ins for the window programs when the build lacks them) installs
#   into another folder chosen with /D=: it first removes the first installation with that
#   installation's uninstaller, which leaves a file the user put into its folder;
# - the second installation's uninstaller removes everything of ours, its folder, its Start-menu
#   entries and its key; the rename log and a setting under HKCU\EUDC\950 stay.
# The uninstaller imports only functions on ALLOWED_LIST, like the setup program. VERSION, PRODUCT
# (the name in the list and of the Start-menu folder), PUBLISHER, FOLDER (in Program Files) and KEY
# (in the list of installed programs) are the setup's settings.
# Usage: windows_setup_test.sh SETUPS_DIR PREFIX OBJDUMP IMPORTS_CHECK ALLOWED_LIST
#                              VERSION PRODUCT PUBLISHER FOLDER KEY ENTRY...
set -u
. "$(dirname "$0")/check.sh"
setups=$1
prefix=$2
objdump=$3
imports_check=$4
allowed=$5
version=$6
product=$7
publisher=$8
folder=$9
key=${10}
shift 10
entries=("$@")
work=$(mktemp -d)

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko to install; no menu entries of the desktop made for the Start menu's.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
xvfb=""
cleanup() {
  wineserver -k 2> /dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null
  rm -rf "$work" "$prefix"
}
trap cleanup EXIT

# A Windows program with T:\ as its working folder.
win() { (cd "$work" && wine "$@"); }

# The prefix reaches no folder but its own and T: (Wine links its serial and parallel ports to
# devices, which hold no files). Refuses to go on otherwise.
confined() {
  local drives outside
  drives=$(cd "$prefix/dosdevices" && ls -d [a-z]: | tr '\n' ' ')
  outside=$(find "$prefix" -type l -not -path "$prefix/dosdevices/com*" -not -path "$prefix/dosdevices/lpt*" |
    while IFS= read -r link; do
      target=$(realpath -m "$link")
      case $target in "$prefix"/* | "$work" | "$work"/*) ;; *) echo "$link -> $target" ;; esac
    done)
  if [ "$drives" != "c: t: " ] || [ -n "$outside" ]; then
    echo "FAIL the prefix reaches outside itself and T: (drives: $drives)"
    echo "$outside"
    exit 1
  fi
}

rm -rf "$prefix"
if ! wineboot --init > "$work/wineboot.log" 2>&1; then
  cat "$work/wineboot.log"; echo "FAIL wineboot"; exit 1
fi
wineserver -w
rm -f "$prefix"/dosdevices/[a-z]:
ln -s ../drive_c "$prefix/dosdevices/c:"
find "$prefix/drive_c" -type l | while IFS= read -r link; do rm "$link" && mkdir "$link"; done
ln -s "$work" "$prefix/dosdevices/t:"
confined

start_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$key"
unix_path() {  # C:\A\B -> PREFIX/drive_c/A/B
  local rest=${1#C:\\}
  echo "$prefix/drive_c/${rest//\\//}"
}

run_setup() {  # SETUP_NAME [/D=FOLDER]: the setup of SETUPS_DIR/SETUP_NAME, silently
  cp "$setups/$1"/*-setup.exe "$work/setup.exe"
  if [ -n "${2:-}" ]; then
    # /D= takes the rest of the command line as it stands, spaces and all, without quotes: the
    # line goes through cmd as a user would type it.
    win cmd /c "T:\\setup.exe /S $2"
  else
    win 'T:\setup.exe' /S
  fi
  check "$1 setup: exit status" "0" "$?"
  wineserver -w
}

installed_as_staged() {  # SETUP_NAME WINDOWS_FOLDER
  local staged dir
  staged=$(ls -d "$setups/$1"/_CPack_Packages/*/NSIS/*/)
  dir=$(unix_path "$2")
  check "$1 setup: $2 holds what the install rules staged, and the uninstaller" \
    "Only in $dir: uninstall.exe" "$(diff -rq "$staged" "$dir")"
}

start_menu_entries() {  # WINDOWS_FOLDER: one entry for each window program installed there
  local expected="" entry program name
  for entry in "${entries[@]}"; do
    program=${entry%%=*} name=${entry#*=}
    [ -e "$(unix_path "$1")/$program" ] || continue
    expected+="$name.lnk"$'\n'
    check "Start-menu entry $name starts $1\\$program" "yes" \
      "$(strings "$start_menu/$name.lnk" 2> /dev/null | grep -qxF "$1\\$program" && echo yes || echo no)"
  done
  check "Start-menu entries of the window programs in $1" "$(echo -n "$expected" | sort)" \
    "$(ls "$start_menu" 2> /dev/null | sort)"
}

uninstall_values() {  # the values of our key in the list of installed programs, as NAME=VALUE
  rm -f "$work/uninstall.reg"
  win reg export "$uninstall_key" 'T:\uninstall.reg' /y > /dev/null 2>&1 || return
  iconv -f UTF-16 -t UTF-8 "$work/uninstall.reg" | tr -d '\r' |
    sed -n 's/^"\([A-Za-z]*\)"="\(.*\)"$/\1=\2/p' | sed 's/\\\\/\\/g; s/\\"/"/g'
}

listed_as_installed() {  # WINDOWS_FOLDER
  local values
  values=$(uninstall_values)
  check "listed as installed: name, version, publisher" \
    "DisplayName=$product DisplayVersion=$version Publisher=$publisher" \
    "$(echo "$values" | grep -E '^(DisplayName|DisplayVersion|Publisher)=' | sort | tr '\n' ' ' | sed 's/ $//')"
  check "listed as installed: folder and uninstaller" \
    "InstallLocation=$1 QuietUninstallString=\"$1\\uninstall.exe\" /S UninstallString=\"$1\\uninstall.exe\"" \
    "$(echo "$values" | grep -E '^(InstallLocation|UninstallString|QuietUninstallString)=' | sort | tr '\n' ' ' | sed 's/ $//')"
}

# The build's setup, into Program Files.
first="C:\\Program Files\\$folder"
run_setup build
installed_as_staged build "$first"
start_menu_entries "$first"
listed_as_installed "$first"
if out=$(bash "$imports_check" "$(unix_path "$first")/uninstall.exe" "$objdump" "$allowed" 2>&1); then
  echo "ok   the uninstaller's imports: ${out##*$'\n'}"
else
  echo "FAIL the uninstaller's imports:"; echo "$out"; failures=$((failures + 1))
fi

# The installed programs, used from T:.
mkdir "$work/elsewhere"
printf 'A\xa4\xa4\r\n' > "$work/elsewhere/in.big5"
(cd "$work/elsewhere" && wine "$first\\tessel-convert.exe" -f big5 -t cns in.big5 out.cns)
check "installed tessel-convert.exe converts" "0f1b2429471b242a48410e44630f0d0a0f" "$(hex "$work/elsewhere/out.cns")"
mkdir "$work/tree"
touch "$work/tree/$(printf '\xef\x9a\xb1')"
confined
win "$first\\quillon-run.exe" --quiet 'T:\tree' 2> /dev/null
check "installed quillon-run.exe renames by its table" "no" \
  "$([ -e "$work/tree/$(printf '\xef\x9a\xb1')" ] && echo yes || echo no)"
logs=$(ls -d "$prefix"/drive_c/users/*/RenameLogs 2> /dev/null)
check "and writes its log under the profile" "1" "$(ls "$logs" 2> /dev/null | grep -c '\.log$')"

# The installed pictor.exe starts on a virtual screen and opens 設定字形 at once; the test closes it
# as the system closes a program (WM_CLOSE to its windows) and waits for it to end.
if [ -e "$(unix_path "$first")/pictor.exe" ]; then
  Xvfb -displayfd 6 -screen 0 1024x768x24 -nolisten tcp 6> "$work/display" > /dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  # Its demonstration data (fonts on T:, their links under HKCU\EUDC\950), made by the installed
  # maker: without a link the program has nothing to choose and says so instead.
  win "$first\\pictor-mkfixture.exe" 'T:\demo' > /dev/null 2>&1
  win regedit /S 'T:\demo\registry.reg'
  wineserver -w
  win "$first\\pictor.exe" > /dev/null 2>&1 &
  pictor=$!
  dialog=""
  for _ in $(seq 300); do
    dialog=$(xdotool search --onlyvisible --name '^設定字形$' 2> /dev/null | head -1)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  check "installed pictor.exe starts and shows 設定字形" "yes" "$([ -n "$dialog" ] && echo yes || echo no)"
  win taskkill /IM pictor.exe > /dev/null 2>&1
  for _ in $(seq 100); do kill -0 "$pictor" 2> /dev/null || break; sleep 0.1; done
  check "pictor.exe ends when it is told to close" "no" "$(kill -0 "$pictor" 2> /dev/null && echo yes || echo no)"
  kill "$pictor" 2> /dev/null
  wineserver -w
  kill "$xvfb" 2> /dev/null
  unset DISPLAY
fi

# What the user made: a file in the installation's folder and a setting of the EUDC fonts.
mine="我的筆記.txt"
echo "mine" > "$(unix_path "$first")/$mine"
win reg add 'HKCU\EUDC\950' /v SystemDefaultEUDCFont /t REG_SZ /d 'EUDC.TTE' /f > /dev/null 2>&1

# A second setup into another folder replaces the first installation.
second='C:\Tools\EUDC Toolkit'  # /D= with a space, as the README shows it
if [ -d "$setups/stand-ins" ]; then second_setup=stand-ins; else second_setup=build; fi
run_setup $second_setup "/D=$second"
check "the first installation is removed, but for the user's file" "$mine" "$(ls -A "$(unix_path "$first")")"
installed_as_staged $second_setup "$second"
start_menu_entries "$second"
listed_as_installed "$second"

# Its uninstaller removes everything of ours, and nothing else.
win "$second\\uninstall.exe" /S
check "uninstaller: exit status" "0" "$?"
wineserver -w  # the uninstaller runs from a copy in the temporary folder and returns at once
check "uninstaller: the folder is gone" "no" "$([ -e "$(unix_path "$second")" ] && echo yes || echo no)"
check "uninstaller: the Start-menu entries are gone" "no" "$([ -e "$start_menu" ] && echo yes || echo no)"
check "uninstaller: no longer listed as installed" "" "$(uninstall_values)"
check "the user's file stays" "mine" "$(cat "$(unix_path "$first")/$mine" 2> /dev/null)"
check "the rename log stays" "1" "$(ls "$logs" 2> /dev/null | grep -c '\.log$')"
check "the settings under HKCU\\EUDC\\950 stay" "1" \
  "$(win reg query 'HKCU\EUDC\950' /v SystemDefaultEUDCFont 2> /dev/null | grep -c 'EUDC.TTE')"
finish
