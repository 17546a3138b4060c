#!/usr/bin/env bash
# Makes the Debian packages of the build into OUT_DIR (emptied first), for the tests that use them.
# Usage: make_debian_packages.sh BUILD_DIR OUT_DIR
set -u
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" > "$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"; echo "FAIL cpack"; exit 1
fi
ls -1 "$out"/*.deb
