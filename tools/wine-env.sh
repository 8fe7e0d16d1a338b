# Sourced by every script that runs Wine: private prefix, quiet output, a persistent
# wineserver and an X display (Xvfb when none is set).
: "${TW_BUILD_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="${WINEPREFIX:-$TW_BUILD_DIR/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

tw_ensure_display() {
  if [ -z "${DISPLAY:-}" ]; then
    local num=97
    local lock="/tmp/.X${num}-lock"
    if [ ! -e "$lock" ] || ! kill -0 "$(tr -d ' ' <"$lock" 2>/dev/null)" 2>/dev/null; then
      rm -f "$lock" "/tmp/.X11-unix/X${num}"
      (setsid Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb-$num.log 2>&1 &)
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${num}" ] && break; sleep 0.1; done
    fi
    export DISPLAY=":$num"
    TW_OWN_XVFB=1
  fi
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

tw_ensure_display
tw_ensure_server
