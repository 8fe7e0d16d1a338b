#!/usr/bin/env bash
# `make run`: seeds the demo installation into the demo Wine prefix of the build folder
# (BUILD_DIR/demo-wineprefix, apart from the tests' prefix), puts Tarnwick.exe with its DLLs
# and the demo Products.ini into C:\Tarnwick and starts the program with no arguments.
# With a display of the caller's it simply runs there. Without one it runs under Xvfb, waits for
# the main window, saves BUILD_DIR/screenshot.png (screenshot-<code>.png with a language) and ends
# the program.
# DEMO_LANG=<code> (or --lang=<code>) puts samples/Tarnwick.<code>.wld beside the program as its
# dictionary, and samples/Tarnwick.<code>.dlg as its dialog layouts when present.
# Usage: tools/demo-run.sh BUILD_DIR [--lang=<code>]
set -euo pipefail
caller_display=${DISPLAY:-}
# A person's display shows the program; without one, the build folder's Xvfb does.
[ -z "$caller_display" ] || export TW_USE_DISPLAY=1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: demo-run.sh BUILD_DIR [--lang=<code>]}" && pwd)
shift
lang=${DEMO_LANG:-}
for arg in "$@"; do
  case "$arg" in
    --lang=*) lang=${arg#--lang=} ;;
    *) echo "demo-run: unknown argument $arg" >&2; exit 2 ;;
  esac
done

# shellcheck source=tools/program-files.sh
source "$here/program-files.sh"
for file in "${program_files[@]}"; do
  [ -f "$build/$file" ] || { echo "demo-run: $build/$file is missing; build first" >&2; exit 1; }
done

export TW_BUILD_DIR="$build"
export WINEPREFIX="${WINEPREFIX:-$build/demo-wineprefix}"
"$here/seed-demo.sh" "$build"
# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh"

demo="$WINEPREFIX/drive_c/Tarnwick"
mkdir -p "$demo"
for file in "${program_files[@]}"; do cp -f "$build/$file" "$demo/"; done
cp -f "$root/samples/Products.ini" "$demo/"

# The translation: the program reads Tarnwick.wld beside itself at start. A file left from an
# earlier run with another language must not stay behind.
place_translation() {
  rm -f "$demo/Tarnwick.wld" "$demo/Tarnwick.dlg"
  [ -n "$lang" ] || return 0
  case "$lang" in *[!A-Za-z0-9_-]*) echo "demo-run: bad language code '$lang'" >&2; exit 2 ;; esac
  local dictionary="$root/samples/Tarnwick.$lang.wld"
  if [ ! -f "$dictionary" ]; then
    echo "demo-run: no dictionary samples/Tarnwick.$lang.wld; running untranslated" >&2
    return 0
  fi
  cp -f "$dictionary" "$demo/Tarnwick.wld"
  [ -f "$root/samples/Tarnwick.$lang.dlg" ] && cp -f "$root/samples/Tarnwick.$lang.dlg" "$demo/Tarnwick.dlg"
  return 0
}
place_translation

program='C:\Tarnwick\Tarnwick.exe'
cd "$demo"
if [ -n "$caller_display" ]; then
  exec wine "$program"
fi

# No display of the caller's: show it on Xvfb, take a picture of the screen and end it.
# The main window's title is the program name, or its translation in the dictionary (the quoted
# line after it, in the ANSI code page 1252).
title='Orvane for AutoCAD'
if [ -f "$demo/Tarnwick.wld" ]; then
  translated=$(iconv -f CP1252 -t UTF-8 "$demo/Tarnwick.wld" 2>/dev/null | tr -d '\r' |
    awk -v source="\"$title\"" 'found && /^[ \t]*"/ { sub(/^[ \t]*"/, ""); sub(/"[ \t]*$/, ""); print; exit }
                                 $0 == source { found = 1 }') || true
  [ -n "$translated" ] && title=$translated
fi
screenshot="$build/screenshot${lang:+-$lang}.png"
wine "$program" </dev/null >"$build/demo-run.log" 2>&1 &
pid=$!

# The display may be shared with test runs in other prefixes: only a window whose process runs
# in this prefix is ours.
our_window() {
  local candidate owner
  for candidate in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null); do
    owner=$(xdotool getwindowpid "$candidate" 2>/dev/null) || continue
    if tr '\0' '\n' <"/proc/$owner/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$candidate"
      return 0
    fi
  done
  return 0
}

window=""
for _ in $(seq 1 300); do  # at most 60 s
  window=$(our_window)
  [ -n "$window" ] && break
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "demo-run: Tarnwick.exe ended before showing its window (see $build/demo-run.log)" >&2
    exit 1
  fi
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "demo-run: no window \"$title\" within 60 s" >&2
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  exit 1
fi

sleep 1  # let the lists fill and paint
import -window root "$screenshot"
echo "demo-run: screenshot saved to $screenshot"

# Close it as a user would (WM_CLOSE to its windows); only if that does not end it, kill it.
wine taskkill /IM Tarnwick.exe </dev/null >/dev/null 2>&1 || true
for _ in $(seq 1 50); do  # at most 10 s
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid" 2>/dev/null || true
fi
wait "$pid" 2>/dev/null || true
exit 0
