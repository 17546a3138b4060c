#!/usr/bin/env bash
# Every program and library the Windows package ships imports only functions that Windows had
# before Vista (ALLOWED_LIST): the build is installed into a scratch folder as the zip and the
# setup program are made, and every .exe and .dll found there is checked, so that a program that
# joins the package is checked without a list to edit.
# Usage: windows_imports_test.sh BUILD_DIR OBJDUMP IMPORTS_CHECK ALLOWED_LIST
set -u
. "$(dirname "$0")/check.sh"
build=$1
objdump=$2
imports_check=$3
allowed=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cmake --install "$build" --prefix "$work/installed" > "$work/install.log" 2>&1; then
  cat "$work/install.log"; echo "FAIL cmake --install"; exit 1
fi
count=0
while IFS= read -r -d '' file; do
  name=${file#"$work/installed/"}
  count=$((count + 1))
  if out=$(bash "$imports_check" "$file" "$objdump" "$allowed" 2>&1); then
    echo "ok   $name: ${out##*$'\n'}"
  else
    echo "FAIL $name:"; echo "$out"; failures=$((failures + 1))
  fi
done < <(find "$work/installed" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
check "the package holds tessel.dll" "yes" "$([ -e "$work/installed/tessel.dll" ] && echo yes || echo no)"
echo "$count programs and libraries checked"
finish
