#!/usr/bin/env bash
# The DLL imports nothing beyond an allowed list of functions that old 32-bit Windows has.
# Usage: imports_check.sh DLL OBJDUMP ALLOWED_LIST
set -euo pipefail
dll=$1 objdump=$2 allowed=$3
# "DLL!function" for every import, from the import tables that objdump prints.
imports=$("$objdump" -p "$dll" | awk '
  /^\tDLL Name: / { dll = $3; next }
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print toupper(dll) "!" $NF; next }
  /^$/ { dll = "" }' | sort -u)
if [ -z "$imports" ]; then echo "no imports found in $dll: the objdump output was not understood"; exit 1; fi
permitted=$(grep -v '^#' "$allowed" | grep . | awk -F'!' '{ print toupper($1) "!" $2 }' | sort -u)
extra=$(comm -23 <(echo "$imports") <(echo "$permitted"))
if [ -n "$extra" ]; then
  echo "$dll imports functions that are not on the allowed list ($allowed):"
  echo "$extra"
  exit 1
fi
echo "$(echo "$imports" | wc -l) imports, all on the allowed list"
