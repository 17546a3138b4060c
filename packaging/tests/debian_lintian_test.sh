#!/usr/bin/env bash
# Debian's checker on every package: no error and no warning. A package may override a tag only
# with its reason: every line of its lintian overrides follows a comment.
# Usage: debian_lintian_test.sh PACKAGE_DIR
set -u
. "$(dirname "$0")/check.sh"
dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
debs=("$dir"/*.deb)

lintian --fail-on error,warning --tag-display-limit 0 "${debs[@]}" > "$work/lintian.out" 2> "$work/lintian.err"
rc=$?
cat "$work/lintian.out"
grep -v "running with root privileges" "$work/lintian.err"
check "lintian's exit status" "0" "$rc"
check "errors and warnings" "0" "$(grep -c '^[EW]: ' "$work/lintian.out")"

for deb in "${debs[@]}"; do
  package=$(dpkg-deb -f "$deb" Package)
  dpkg -x "$deb" "$work/$package"
  overrides=$work/$package/usr/share/lintian/overrides/$package
  [ -e "$overrides" ] || continue
  unexplained=$(awk '/^[[:space:]]*$/ { next } /^#/ { reason = 1; next } { if (!reason) print; reason = 0 }' "$overrides")
  check "every override of $package says why" "" "$unexplained"
done
finish
