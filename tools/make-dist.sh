#!/usr/bin/env bash
# `make dist`: dist/Tarnwick with the program, the registration library, the public headers of the
# exported base library and its import library, and dist/Tarnwick.zip of that folder.
# Usage: tools/make-dist.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: make-dist.sh BUILD_DIR}" && pwd)
dist="$root/dist"
out="$dist/Tarnwick"

for file in Tarnwick.exe QvApmReg.dll; do
  [ -f "$build/bin/$file" ] || { echo "make-dist: $build/bin/$file is missing; build first" >&2; exit 1; }
done

# Built afresh each time, so that nothing of an earlier layout lingers.
rm -rf "$out" "$dist/Tarnwick.zip"
mkdir -p "$out"
cp "$build/bin/Tarnwick.exe" "$build/bin/QvApmReg.dll" "$out/"

# Public headers keep their folder, as add-ons include them as "base/....h".
for folder in base param fio translate; do
  [ -d "$root/$folder" ] || continue
  find "$root/$folder" -maxdepth 1 -type f -name '*.h' -print0 | sort -z | while IFS= read -r -d '' header; do
    mkdir -p "$out/include/$folder"
    cp "$header" "$out/include/$folder/"
  done
done

if [ -f "$build/lib/libTarnwick.a" ]; then
  mkdir -p "$out/lib"
  cp "$build/lib/libTarnwick.a" "$out/lib/"
fi

(cd "$dist" && zip -q -r -X Tarnwick.zip Tarnwick)
echo "make-dist: $out and $dist/Tarnwick.zip"
