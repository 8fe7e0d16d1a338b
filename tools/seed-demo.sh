#!/usr/bin/env bash
# Seeds the Wine prefix of a build folder with the demo AutoCAD installation: AutoCAD 2008
# (32-bit view), AutoCAD 2010 (64-bit view) and AutoCAD LT 2009 (32-bit view), each with its
# stand-in executable, profiles, demo applications and profile links (samples/demo.reg).
# Running it again puts the demo products back to the same state. The demo has a prefix of its
# own (BUILD_DIR/demo-wineprefix, or WINEPREFIX when set), so that the test suites, which share
# BUILD_DIR/wineprefix, never discover the demo products.
# Usage: tools/seed-demo.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: seed-demo.sh BUILD_DIR}" && pwd)
export TW_BUILD_DIR="$build"
export WINEPREFIX="${WINEPREFIX:-$build/demo-wineprefix}"
# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh"

# The .reg file names both views, which only the 64-bit regedit sees as they are written
# (the 32-bit one would redirect Software\Autodesk into Wow6432Node).
wine64_loader() {
  local candidate
  for candidate in "$(command -v wine64 || true)" /usr/lib/wine/wine64 /usr/lib64/wine/wine64 /opt/wine*/bin/wine64; do
    [ -n "$candidate" ] && [ -x "$candidate" ] && { echo "$candidate"; return 0; }
  done
  echo "seed-demo: no 64-bit Wine loader (wine64) found" >&2
  return 1
}

drive_c="$WINEPREFIX/drive_c"
install_file() {  # source, folder below drive_c
  mkdir -p "$drive_c/$2"
  cp -f "$1" "$drive_c/$2/"
}

for exe in acad acadlt; do
  [ -f "$build/bin/$exe.exe" ] || { echo "seed-demo: $build/bin/$exe.exe is missing; build first" >&2; exit 1; }
done
install_file "$build/bin/acad.exe" "Program Files (x86)/Autodesk/AutoCAD 2008"
install_file "$build/bin/acad.exe" "Program Files/Autodesk/AutoCAD 2010"
install_file "$build/bin/acadlt.exe" "Program Files (x86)/Autodesk/AutoCAD LT 2009"
install_file "$root/samples/orvane.mnu" "Program Files (x86)/Brevent Software/Orvane"

wine64=$(wine64_loader)
"$wine64" regedit /S "$(winepath -w "$root/samples/demo.reg")" </dev/null

# The views must be exactly as described: each product in its own view and not in the other.
check_view() {  # key, present view, absent view
  if ! wine reg query "HKLM\\$1" /v ProductName "/reg:$2" >/dev/null 2>&1 </dev/null; then
    echo "seed-demo: HKLM\\$1 is missing from the $2-bit registry view" >&2
    exit 1
  fi
  if wine reg query "HKLM\\$1" /v ProductName "/reg:$3" >/dev/null 2>&1 </dev/null; then
    echo "seed-demo: HKLM\\$1 is also in the $3-bit registry view" >&2
    exit 1
  fi
}
check_view 'Software\Autodesk\AutoCAD\R17.1\ACAD-6001:409' 32 64
check_view 'Software\Autodesk\AutoCAD\R18.0\ACAD-8001:409' 64 32
check_view 'Software\Autodesk\AutoCAD LT\R17.2\ACADLT-7001:409' 32 64
echo "seed-demo: demo installation seeded in $WINEPREFIX"
