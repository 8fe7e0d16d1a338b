#!/usr/bin/env bash
# `make dist`: the program folder DIST_DIR/Tarnwick (the program, what it needs to run, the user
# guide), the SDK for add-on developers DIST_DIR/Tarnwick-sdk, DIST_DIR/Tarnwick.zip of the
# program folder and the setup program DIST_DIR/Tarnwick-<version>-setup.exe
# (tools/make-installer.sh). One function per output.
# Usage: tools/make-dist.sh BUILD_DIR [DIST_DIR [PART...]]
#        parts: program sdk zip installer (default: all, in that order)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: make-dist.sh BUILD_DIR [DIST_DIR [PART...]]}" && pwd)
dist="${2:-$root/dist}"
shift $(($# < 2 ? $# : 2))
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
# shellcheck source=tools/program-files.sh
source "$here/program-files.sh"
strip_tool=$(command -v i686-w64-mingw32-strip || true)

require() {  # FILE... of the build folder
  local file
  for file in "$@"; do
    [ -f "$build/$file" ] || { echo "make-dist: $build/$file is missing; build first" >&2; exit 1; }
  done
}

# Copies build files into a folder. Debug information stays in the build folder.
copy_binaries() {  # FOLDER FILE...
  local folder=$1 file
  shift
  mkdir -p "$folder"
  for file in "$@"; do
    cp "$build/$file" "$folder/"
    if [ -n "$strip_tool" ]; then "$strip_tool" --strip-debug "$folder/$(basename "$file")"; fi
  done
}

# The program with the registration library, the library DLL and the GCC runtime DLLs beside it.
# Built afresh each time, so that nothing of an earlier layout lingers.
make_program() {
  local out="$dist/Tarnwick"
  require "${program_files[@]}"
  rm -rf "$out"
  copy_binaries "$out" "${program_files[@]}"
  cp "$root/docs/Tarnwick.html" "$out/"
}

# The public headers (in their folders, as add-ons include "base/....h"), the import libraries of
# the DLL and of the program, the DLLs, the CMake package, the example add-on and the README.
make_sdk() {
  local out="$dist/Tarnwick-sdk" header
  require bin/TarnwickBase.dll lib/libTarnwickBase.dll.a lib/libTarnwick.dll.a "${runtime_dlls[@]}"
  rm -rf "$out"
  grep -v -e '^#' -e '^[[:space:]]*$' "$root/sdk/public-headers.txt" | while IFS= read -r header; do
    mkdir -p "$out/include/$(dirname "$header")"
    cp "$root/$header" "$out/include/$header"
  done
  mkdir -p "$out/lib"
  cp "$build/lib/libTarnwickBase.dll.a" "$build/lib/libTarnwick.dll.a" "$out/lib/"
  copy_binaries "$out/bin" bin/TarnwickBase.dll "${runtime_dlls[@]}"
  cp -r "$root/sdk/cmake" "$root/sdk/examples" "$root/sdk/README.md" "$out/"
}

make_zip() {
  [ -d "$dist/Tarnwick" ] || make_program
  rm -f "$dist/Tarnwick.zip"
  (cd "$dist" && zip -q -r -X Tarnwick.zip Tarnwick)
}

make_installer() {
  [ -d "$dist/Tarnwick" ] || make_program
  "$here/make-installer.sh" "$build" "$dist/Tarnwick" "$dist"
}

parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(program sdk zip installer)
for part in "${parts[@]}"; do
  case $part in
    program) make_program ;;
    sdk) make_sdk ;;
    zip) make_zip ;;
    installer) make_installer ;;
    *) echo "make-dist: unknown part $part" >&2; exit 2 ;;
  esac
  echo "make-dist: $part in $dist"
done
