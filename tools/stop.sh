#!/usr/bin/env bash
# `make stop`: ends what the scripts leave running for one build folder, and nothing else: the
# wineservers of its prefixes (tests and demo), with the Wine processes in them, and its Xvfb.
# Usage: tools/stop.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: stop.sh BUILD_DIR}" 2>/dev/null && pwd) || exit 0  # never built: nothing runs
export TW_BUILD_DIR="$build"
# shellcheck source=tools/wine-env.sh
TW_ENV_NO_START=1 source "$here/wine-env.sh"

for prefix in "$build/wineprefix" "$build/demo-wineprefix"; do
  [ -d "$prefix" ] || continue
  # -k asks the prefix's own server to end; it starts none when none runs.
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 && echo "stop: ended the wineserver of $prefix"
done
if pid=$(tw_xvfb_pid); then
  kill "$pid" && echo "stop: ended Xvfb :$(cat "$build/xvfb.display") (process $pid)"
fi
rm -f "$build/xvfb.display"
exit 0
