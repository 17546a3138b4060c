#!/usr/bin/env bash
# Makes the setup program of the Windows build into OUT_DIR/build (OUT_DIR emptied first), for the
# tests that use it. When the build lacks some of the window programs, also a second setup of the
# build with a stand-in for each missing one (a program that does nothing, made with C_COMPILER),
# into OUT_DIR/stand-ins, so that their Start-menu entries are tested before they exist.
# Usage: make_windows_setups.sh BUILD_DIR OUT_DIR C_COMPILER WINDOW_PROGRAM...
set -u
build=$1
out=$2
cc=$3
shift 3
rm -rf "$out"
mkdir -p "$out"

make_setup() {  # NAME [CPACK OPTION...]: the setup into OUT_DIR/NAME
  local name=$1
  shift
  if ! cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$out/$name" "$@" > "$out/$name.log" 2>&1; then
    cat "$out/$name.log"; echo "FAIL cpack ($name)"; exit 1
  fi
  ls -1 "$out/$name"/*-setup.exe
}

make_setup build
staged=$(ls -d "$out"/build/_CPack_Packages/*/NSIS/*/)
missing=()
for program in "$@"; do
  [ -e "$staged/$program.exe" ] || missing+=("$program")
done
if [ ${#missing[@]} -gt 0 ]; then
  mkdir -p "$out/stand-in-files"
  for program in "${missing[@]}"; do
    echo 'int main(void) { return 0; }' | "$cc" -x c - -s -o "$out/stand-in-files/$program.exe" || exit 1
  done
  make_setup stand-ins -D "CPACK_INSTALLED_DIRECTORIES=$out/stand-in-files;."
fi
