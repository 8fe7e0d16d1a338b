#!/usr/bin/env bash
# Makes the SDK into WORK_DIR and compiles each header it ships on its own, as an add-on that
# includes only that header would.
# Usage: check_headers.sh BUILD_DIR WORK_DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$1
work=$2
rm -rf "$work"
"$root/tools/make-dist.sh" "$build" "$work" sdk >/dev/null
include="$work/Tarnwick-sdk/include"
cxx=${CXX:-i686-w64-mingw32-g++-posix}
checked=0
failed=0
while IFS= read -r header; do
  header=${header#"$include/"}
  if ! printf '#include "%s"\n' "$header" |
      "$cxx" -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ -I"$include" - 2>"$work/errors.txt"; then
    echo "check_headers: $header does not compile on its own:" >&2
    cat "$work/errors.txt" >&2
    failed=$((failed + 1))
  fi
  checked=$((checked + 1))
done < <(find "$include" -type f -name '*.h' | sort)
[ "$checked" -gt 0 ] || { echo "check_headers: the SDK ships no headers" >&2; exit 1; }
echo "check_headers: $checked headers, $failed failed"
[ "$failed" -eq 0 ]
