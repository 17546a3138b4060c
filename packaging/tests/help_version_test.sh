#!/usr/bin/env bash
# Every command-line program answers --help (a usage line first, on standard output, status 0) and
# --version ("NAME VERSION"). Usage: help_version_test.sh VERSION PROGRAM...
set -u
. "$(dirname "$0")/check.sh"
version=$1
shift
for program in "$@"; do
  name=$(basename "$program" .exe)
  help=$("$program" --help 2>/dev/null); rc=$?
  check "$name --help status" "0" "$rc"
  check "$name --help usage line" "Usage: $name" "$(printf '%s\n' "$help" | head -1 | cut -d' ' -f1-2)"
  check "$name --version" "$name $version" "$("$program" --version 2>&1)"
done
finish
