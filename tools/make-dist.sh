#!/usr/bin/env bash
# `make dist`: dist/Tarnwick with the program, the registration library, the user guide, the public
# headers of the exported base library and its import library, dist/Tarnwick.zip of that folder
# and the setup program dist/Tarnwick-<version>-setup.exe (tools/make-installer.sh).
# Usage: tools/make-dist.sh BUILD_DIR [DIST_DIR]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: make-dist.sh BUILD_DIR}" && pwd)
dist="${2:-$root/dist}"
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
out="$dist/Tarnwick"

for file in Tarnwick.exe QvApmReg.dll; do
  [ -f "$build/bin/$file" ] || { echo "make-dist: $build/bin/$file is missing; build first" >&2; exit 1; }
done

# Built afresh each time, so that nothing of an earlier layout lingers.
rm -rf "$out" "$dist/Tarnwick.zip"
mkdir -p "$out"
cp "$build/bin/Tarnwick.exe" "$build/bin/QvApmReg.dll" "$out/"
cp "$root/docs/Tarnwick.html" "$out/"
# Debug information stays in the build folder; the shipped files need none.
strip_tool=$(command -v i686-w64-mingw32-strip || true)
if [ -n "$strip_tool" ]; then
  "$strip_tool" --strip-debug "$out/Tarnwick.exe" "$out/QvApmReg.dll"
fi

# Public headers keep their folder, as add-ons include them as "base/....h".
for folder in base param fio translate; do
  [ -d "$root/$folder" ] || continue
  find "$root/$folder" -maxdepth 1 -type f -name '*.h' -print0 | sort -z | while IFS= read -r -d '' header; do
    mkdir -p "$out/include/$folder"
    cp "$header" "$out/include/$folder/"
  done
done

# The import library: CMake's own name for an executable's (libTarnwick.dll.a) may take the place
# of libTarnwick.a; either serves -lTarnwick.
for implib in libTarnwick.a libTarnwick.dll.a; do
  if [ -f "$build/lib/$implib" ]; then
    mkdir -p "$out/lib"
    cp "$build/lib/$implib" "$out/lib/"
    break
  fi
done

(cd "$dist" && zip -q -r -X Tarnwick.zip Tarnwick)
echo "make-dist: $out and $dist/Tarnwick.zip"
"$here/make-installer.sh" "$build" "$out" "$dist"
