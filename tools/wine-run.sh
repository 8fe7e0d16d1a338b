#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's private prefix.
# The prefix lives in the build folder (TW_BUILD_DIR, default: ./build next to the sources).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
exec wine "$@"
