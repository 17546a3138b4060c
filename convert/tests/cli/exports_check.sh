#!/usr/bin/env bash
# The shared library exports exactly the four functions, under their undecorated names.
# Usage: exports_check.sh LIBRARY [OBJDUMP]
set -euo pipefail
library=$1
expected=$'CVT_FileConvert\nCVT_StringConvert\nCVT_TableListEnd\nCVT_TableListStart'
case "$library" in
  *.dll)
    actual=$(${2:-objdump} -p "$library" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s*\[ *[0-9]+\]' | awk '{print $NF}' | sort) ;;
  *)
    actual=$(nm -D --defined-only "$library" | awk '{print $3}' | sort) ;;
esac
if [ "$actual" != "$expected" ]; then
  echo "exports of $library:"; echo "$actual"; echo "expected:"; echo "$expected"; exit 1
fi
echo "exactly the four exports"
