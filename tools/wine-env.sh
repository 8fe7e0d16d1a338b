# Sourced by every script that runs Wine: private prefix, quiet output, a persistent
# wineserver and an X display.
: "${TW_BUILD_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="${WINEPREFIX:-$TW_BUILD_DIR/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine programs started by the scripts draw on a virtual display (Xvfb) of the build folder's
# own, even when DISPLAY is set, so that tests never open windows on a person's desktop.
# TW_USE_DISPLAY=1 keeps the DISPLAY that is set (`make run` does so when there is one).
# The display number is kept in BUILD_DIR/xvfb.display for the next script and `make stop`.

# The process id of the build folder's Xvfb, when it still runs.
tw_xvfb_pid() {
  local number pid
  number=$(tr -dc 0-9 2>/dev/null <"$TW_BUILD_DIR/xvfb.display") && [ -n "$number" ] || return 1
  pid=$(tr -dc 0-9 2>/dev/null <"/tmp/.X$number-lock") && [ -n "$pid" ] || return 1
  # The number may belong to another X server by now.
  tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -q "^Xvfb :$number " || return 1
  echo "$pid"
}

# Starts an Xvfb on the first free display number from 97 and records the number.
tw_start_xvfb() {
  local number pid
  for number in $(seq 97 160); do
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    (setsid Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp 9>&- </dev/null \
      >"$TW_BUILD_DIR/xvfb.log" 2>&1 &)
    for _ in $(seq 1 50); do
      pid=$(tr -dc 0-9 2>/dev/null <"/tmp/.X$number-lock") || true
      if [ -e "/tmp/.X11-unix/X$number" ] && [ -n "$pid" ]; then
        echo "$number" >"$TW_BUILD_DIR/xvfb.display"
        return 0
      fi
      [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || break  # lost the number to another server
      sleep 0.1
    done
  done
  return 1
}

tw_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${TW_USE_DISPLAY:-}" = 1 ]; then
    return 0
  fi
  mkdir -p "$TW_BUILD_DIR"
  {
    flock 9
    tw_xvfb_pid >/dev/null || tw_start_xvfb || true
  } 9>"$TW_BUILD_DIR/.xvfb.lock"
  if ! tw_xvfb_pid >/dev/null; then
    echo "wine-env: Xvfb did not start (see $TW_BUILD_DIR/xvfb.log)" >&2
    return 1
  fi
  export DISPLAY=":$(cat "$TW_BUILD_DIR/xvfb.display")"
  TW_OWN_XVFB=1
}

# Starts a persistent wineserver for the prefix (creating the prefix the first time)
# and boots it with output going to a file. Wine's background services inherit the
# standard handles of whichever process boots the prefix; booting here keeps them off
# the pipes of test runners, which would otherwise wait for them forever.
tw_ensure_server() {
  mkdir -p "$TW_BUILD_DIR"
  (
    flock 9
    if wineserver -p >>"$TW_BUILD_DIR/wineserver.log" 2>&1 9>&- || [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >>"$TW_BUILD_DIR/wineboot.log" 2>&1 </dev/null 9>&- || true
      # Xvfb runs no window manager; without this, hiding a window waits 2 s for one to answer.
      [ -z "${TW_OWN_XVFB:-}" ] || wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >>"$TW_BUILD_DIR/wineboot.log" 2>&1 </dev/null 9>&- || true
    fi
  ) 9>"$TW_BUILD_DIR/.wineserver.lock"
}

# TW_ENV_NO_START=1: only the settings and functions, nothing started (for `make stop`).
if [ "${TW_ENV_NO_START:-}" != 1 ]; then
  tw_ensure_display
  tw_ensure_server
fi
