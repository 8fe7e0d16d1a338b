#!/usr/bin/env bash
# Makes the dist into WORK_DIR, builds the example add-on from the SDK alone twice (importing from
# TarnwickBase.dll, and from Tarnwick.exe's import library) and runs each in addon_host.exe,
# a program that is not Tarnwick.exe.
# Usage: addon_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work"
"$root/tools/make-dist.sh" "$build" "$work" program sdk >/dev/null
sdk="$work/Tarnwick-sdk"
# The example is built where a developer would copy it, away from the source tree.
cp -r "$sdk/examples/addon" "$work/addon-source"

build_addon() {  # FOLDER [CMAKE ARGUMENTS...]
  local folder=$1
  shift
  cmake -S "$work/addon-source" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$sdk/cmake/mingw-i686-toolchain.cmake" -DTarnwick_DIR="$sdk/cmake" "$@" >"$folder.log" 2>&1 &&
    cmake --build "$folder" >>"$folder.log" 2>&1 || { cat "$folder.log" >&2; return 1; }
}
build_addon "$work/with-dll"
build_addon "$work/with-program" -DADDON_LINKS_PROGRAM=ON

# Imports from the DLL: the add-on's folder holds the library and runtime DLLs its build copied.
# Imports from the program: the add-on sits in the program folder, beside Tarnwick.exe.
cp "$work/with-program/addon.dll" "$work/Tarnwick/addon.dll"

export TW_BUILD_DIR="$build"
. "$root/tools/wine-env.sh"
status=0
for addon in "$work/with-dll/addon.dll" "$work/Tarnwick/addon.dll"; do
  echo "addon_test: $addon"
  TW_ADDON=$(winepath -w "$addon") wine "$build/bin/addon_host.exe" || status=1
done
exit $status
