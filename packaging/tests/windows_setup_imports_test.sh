#!/usr/bin/env bash
# The setup program and every program and library in it import only functions that Windows had
# before Vista (ALLOWED_LIST): the setup's own stub (which is also its uninstaller's), the
# plug-ins it loads, and the files it installs, all taken from the setup's data, where every
# program and library the install rules staged must be found byte for byte.
# Usage: windows_setup_imports_test.sh SETUPS_DIR OBJDUMP IMPORTS_CHECK ALLOWED_LIST
set -u
. "$(dirname "$0")/check.sh"
setups=$1
objdump=$2
imports_check=$3
allowed=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

setup=$(ls "$setups"/build/*-setup.exe)
staged=$(ls -d "$setups"/build/_CPack_Packages/*/NSIS/*/)

imports_ok() {  # NAME FILE
  if out=$(bash "$imports_check" "$2" "$objdump" "$allowed" 2>&1); then
    echo "ok   $1: ${out##*$'\n'}"
  else
    echo "FAIL $1:"; echo "$out"; failures=$((failures + 1))
  fi
}

imports_ok "the setup's stub" "$setup"

if ! python3 "$(dirname "$0")/setup_blocks.py" "$setup" "$work/blocks"; then
  echo "FAIL the setup's data cannot be read"; exit 1
fi
is_pe() { cmp -s -n 2 <(printf MZ) "$1"; }

# Every program and library staged is in the setup.
declare -A name_of
while IFS= read -r -d '' file; do
  is_pe "$file" || continue
  relative=${file#"$staged"}
  found=no
  for block in "$work"/blocks/*; do
    if cmp -s "$block" "$file"; then name_of[$block]=$relative; found=yes; fi
  done
  check "$relative is in the setup" "yes" "$found"
done < <(find "$staged" -type f -print0)

for block in "$work"/blocks/*; do
  is_pe "$block" || continue
  name=${name_of[$block]:-}
  if [ -z "$name" ]; then
    # A plug-in of the setup: named by its export table.
    name="plug-in $("$objdump" -p "$block" | sed -n 's/^Name[[:space:]]*[0-9a-f]* //p')"
    imports_ok "$name" "$block"
  else
    imports_ok "$name" "$block"
  fi
done
finish
