#!/usr/bin/env bash
# The setup program of a program folder: DIST_DIR/Tarnwick-<version>-setup.exe, built with NSIS
# from tools/Tarnwick.nsi. It installs every file of the folder (not its subfolders); the version
# comes from the header that the build generates from the project's one version.
# Usage: tools/make-installer.sh BUILD_DIR PROGRAM_DIR DIST_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: make-installer.sh BUILD_DIR PROGRAM_DIR DIST_DIR}" && pwd)
program=$(cd "${2:?usage: make-installer.sh BUILD_DIR PROGRAM_DIR DIST_DIR}" && pwd)
dist=$(cd "${3:?usage: make-installer.sh BUILD_DIR PROGRAM_DIR DIST_DIR}" && pwd)

command -v makensis >/dev/null || {
  echo "make-installer: makensis is missing (Debian package nsis; \`make deps\` installs it)" >&2
  exit 1
}

header="$build/generated/tarnwick_version.h"
define_of() { sed -n "s/^#define $1 \"\\(.*\\)\"\$/\\1/p" "$header"; }
version=$(define_of TW_PRODUCT_VERSION)
file_version=$(define_of TW_FILE_VERSION)
[ -n "$version" ] && [ -n "$file_version" ] || { echo "make-installer: no version in $header" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# NSIS reads "$" as the start of a variable; the names are written with it doubled.
nsis_text() { printf '%s' "${1//\$/\$\$}"; }
: >"$work/files.nsh"
: >"$work/unfiles.nsh"
for file in "$program"/*; do
  [ -f "$file" ] || continue
  name=$(basename "$file")
  case "$name" in *'"'* | *'\'*) echo "make-installer: cannot ship $name" >&2; exit 1 ;; esac
  printf 'File "%s"\n' "$(nsis_text "$file")" >>"$work/files.nsh"
  printf 'Delete /REBOOTOK "$INSTDIR\\%s"\n' "$(nsis_text "$name")" >>"$work/unfiles.nsh"
done
grep -q '\\Tarnwick.exe"$' "$work/unfiles.nsh" || { echo "make-installer: no Tarnwick.exe in $program" >&2; exit 1; }

setup="$dist/Tarnwick-$version-setup.exe"
rm -f "$dist"/Tarnwick-*-setup.exe
makensis -V2 -NOCD "-DVERSION=$version" "-DFILE_VERSION=$file_version" "-DOUTFILE=$setup" \
  "-DICON=$root/resources/Tarnwick.ico" "-DFILES_NSH=$work/files.nsh" "-DUNFILES_NSH=$work/unfiles.nsh" \
  "$here/Tarnwick.nsi" >"$work/makensis.log" 2>&1 || { cat "$work/makensis.log" >&2; exit 1; }
echo "make-installer: $setup"
