# Shared by the package tests: `check NAME EXPECTED ACTUAL` and `hex FILE`; `finish` ends the test.
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
check_file() {  # NAME PATH
  if [ -e "$2" ]; then echo "ok   $1"; else echo "FAIL $1: $2 is missing"; failures=$((failures + 1)); fi
}
hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
finish() {
  if [ "$failures" -eq 0 ]; then echo "all passed"; exit 0; fi
  echo "$failures failed"; exit 1
}
