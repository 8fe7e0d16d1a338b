#!/usr/bin/env bash
# The setup program under Wine, as a deployment system runs it: a silent install into the 32-bit
# Program Files folder, the installed program writing its configuration report, the Uninstall
# entry, and the registered quiet uninstall, which removes the program, its shortcut and the
# entry and keeps the user's backups and settings.
# Usage: installer_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export TW_BUILD_DIR=$(cd "${1:?usage: installer_test.sh BUILD_DIR}" && pwd)
source "$root/tools/wine-env.sh"

work="$TW_BUILD_DIR/installer-test"
uninstall_key='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick'
product_key='HKLM\Software\Autodesk\AutoCAD\R99.0\ACAD-9999:409'
settings_key='HKCU\Software\Brevent Software\Tarnwick\InstallerTest'
program_files="$WINEPREFIX/drive_c/Program Files (x86)/Tarnwick"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvane for AutoCAD.lnk"
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' </dev/null | tr -d '\r')")
marker="$appdata/Brevent Software/Tarnwick/Backups/installer-test/AutoCAD 2005 - Office.arg"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_eq() { [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
wine_quiet() { wine "$@" </dev/null >/dev/null 2>&1; }
# "NAME TYPE DATA" per value of a key; nothing when the key is missing.
values_of() { wine reg query "$1" </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^    \(.*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1 \2 \3/p'; }
value_in() { printf '%s\n' "$1" | sed -n "s/^$2 //p"; }  # "TYPE DATA" of value NAME in such a listing
clean_up() {
  wine_quiet reg delete "$product_key" /f || true
  wine_quiet reg delete "$settings_key" /f || true
  rm -rf "$(dirname "$marker")"
}
trap clean_up EXIT

# Whatever an earlier, failed run left behind.
wine_quiet reg delete "$uninstall_key" /f || true
rm -rf "$program_files" "$shortcut" "$work"
mkdir -p "$work" "$(dirname "$marker")"
echo "Office" >"$marker"
wine_quiet reg add "$settings_key" /v Kept /d yes /f

"$root/tools/make-dist.sh" "$TW_BUILD_DIR" "$work/dist" program installer >"$work/make-dist.log"
version=$(sed -n 's/^#define TW_PRODUCT_VERSION "\(.*\)"$/\1/p' "$TW_BUILD_DIR/generated/tarnwick_version.h")
setup="$work/dist/Tarnwick-$version-setup.exe"
[ -f "$setup" ] || { echo "FAIL: no $setup" >&2; exit 1; }
echo "setup: $(stat -c %s "$setup") bytes"

started=$(now_ms)
wine "$setup" /S </dev/null || fail "silent install exited with $?"
echo "install: $(($(now_ms) - started)) ms"

# Every file of the program folder, byte for byte, and the uninstaller; nothing else.
expected=$( (cd "$work/dist/Tarnwick" && find . -maxdepth 1 -type f -printf '%f\n' && echo uninstall.exe) | sort)
expect_eq "installed files" "$expected" "$( (cd "$program_files" && find . -type f -printf '%P\n') | sort)"
for file in "$work"/dist/Tarnwick/*; do
  [ ! -f "$file" ] || cmp -s "$file" "$program_files/${file##*/}" || fail "${file##*/} differs"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"

entry=$(values_of "$uninstall_key")
uninstaller='"C:\Program Files (x86)\Tarnwick\uninstall.exe"'
expect_eq "DisplayName" "REG_SZ Orvane for AutoCAD" "$(value_in "$entry" DisplayName)"
expect_eq "DisplayVersion" "REG_SZ $version" "$(value_in "$entry" DisplayVersion)"
expect_eq "Publisher" "REG_SZ Brevent Software" "$(value_in "$entry" Publisher)"
expect_eq "UninstallString" "REG_SZ $uninstaller" "$(value_in "$entry" UninstallString)"
expect_eq "QuietUninstallString" "REG_SZ $uninstaller /S" "$(value_in "$entry" QuietUninstallString)"
size_kb=$((($(du -sb "$program_files" | cut -f1) + 1023) / 1024))
estimated=$(value_in "$entry" EstimatedSize)
[[ "$estimated" == "REG_DWORD 0x"* ]] && [ $((${estimated#REG_DWORD } - size_kb)) -le 8 ] &&
  [ $((size_kb - ${estimated#REG_DWORD })) -le 8 ] || fail "EstimatedSize: [$estimated] for $size_kb KB"

# The installed program runs from its folder: the report names the seeded product.
wine_quiet reg add "$product_key" /v ProductName /d "Installer Test AutoCAD" /f
wine_quiet reg add "$product_key" /v Location /d 'C:\Installer Test AutoCAD' /f
wine "$program_files/Tarnwick.exe" -d "$(winepath -w "$work/report.txt")" </dev/null || fail "report run exited with $?"
expect_eq "report" 'Installer Test AutoCAD: Software\Autodesk\AutoCAD\R99.0\ACAD-9999:409' \
  "$(head -n 1 "$work/report.txt" 2>/dev/null)"

# The quiet uninstall as registered. The uninstaller goes on from a copy in the temporary
# folder, so its end shows as the folder, the shortcut and then the entry going away.
started=$(now_ms)
wine "${uninstaller//\"/}" /S </dev/null || fail "silent uninstall exited with $?"
for _ in $(seq 1 600); do
  [ -d "$program_files" ] || [ -e "$shortcut" ] || break
  sleep 0.1
done
for _ in $(seq 1 20); do
  [ -n "$(values_of "$uninstall_key")" ] || break
  sleep 0.5
done
echo "uninstall: $(($(now_ms) - started)) ms"
[ ! -d "$program_files" ] || fail "the program folder is still there: $(ls "$program_files" | tr '\n' ' ')"
[ -z "$(values_of "$uninstall_key")" ] || fail "the Uninstall entry is still there"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
[ -f "$marker" ] || fail "the backup was removed"
expect_eq "settings" "REG_SZ yes" "$(value_in "$(values_of "$settings_key")" Kept)"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "installer: all checks passed"
