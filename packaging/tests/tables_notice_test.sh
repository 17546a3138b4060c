#!/usr/bin/env bash
# The notices shipped with the code tables are those of the ICU the tables are generated from:
# each notice of NOTICE stands word for word in the licence file of the ICU installed for the build.
# Usage: tables_notice_test.sh NOTICE
set -u
. "$(dirname "$0")/check.sh"
notice=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
icu_license=/usr/share/icu/$(pkg-config --modversion icu-uc)/LICENSE
check_file "ICU's licence file" "$icu_license"
awk -v out="$work/notice-" '/^----------+$/ { n++; next } n > 0 { print > (out n) }' "$notice"
check_file "a notice after the first line of dashes" "$work/notice-1"
for section in "$work"/notice-*; do
  check "\"$(grep -m1 . "$section")\" stands in $icu_license" "yes" \
    "$(python3 -c 'import sys; print("yes" if open(sys.argv[1]).read().strip() in open(sys.argv[2]).read() else "no")' \
         "$section" "$icu_license")"
done
finish
