#!/usr/bin/env bash
# Runs the URL-file test program between its servers: an FTP server on 127.0.0.1 port 21,
# restarted whenever it stops (one test stops it on purpose), and an HTTP server on a free
# port of 127.0.0.1. Every wait is bounded; the program's exit code is the result.
# usage: run.sh BUILD_DIR TEST_EXE [test arguments...]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
exe=$2
shift 2
export TW_BUILD_DIR="${TW_BUILD_DIR:-$build}"
python=/usr/bin/python3
export TW_URL_FTP_USER=tarnwick
export TW_URL_FTP_PASSWORD='s3cret'

# Port 21 is the machine's: one run at a time, whichever build folder it comes from.
exec 9>/tmp/tarnwick-url-tests.lock
if ! flock -w 240 9; then
  echo "run.sh: another URL test run keeps port 21" >&2
  exit 1
fi

work=$(mktemp -d /tmp/tw-url.XXXXXX)
supervisor_pid=""
http_pid=""

# A process that has ended but is not reaped yet counts as gone.
alive() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ $state != Z* ]]
}

# Ends one process that this script started, by force when it does not go within 5 s.
stop_pid() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    alive "$pid" || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
}

stop_ftp_server() {
  [ -f "$work/ftp.pid" ] && stop_pid "$(cat "$work/ftp.pid")"
}

cleanup() {
  touch "$work/stop"
  stop_ftp_server
  stop_pid "$supervisor_pid"
  stop_ftp_server  # in case the loop started one more while stopping
  stop_pid "$http_pid"
  rm -rf "$work"
}
trap cleanup EXIT

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

wait_listening() {
  for _ in $(seq 1 100); do
    listening "$1" && return 0
    sleep 0.1
  done
  echo "run.sh: nothing listens on 127.0.0.1:$1" >&2
  return 1
}

# The server's tree, fresh for every run.
ftp="$work/ftp"
mkdir -p "$ftp/pub" "$ftp/ro" "$work/http"
printf 'Hello from the FTP server\r\nsecond line\r\n' >"$ftp/pub/hello.txt"
touch -d '2021-03-04 10:20:30' "$ftp/pub/hello.txt"
printf 'locked\r\n' >"$ftp/pub/readonly.txt"
chmod 444 "$ftp/pub/readonly.txt"
printf 'kept\r\n' >"$ftp/ro/kept.txt"
head -c 4000000 /dev/zero | tr '\0' 'd' >"$ftp/pub/dying.bin"
printf 'cached body\r\n' >"$work/http/page.txt"

if listening 21; then
  echo "run.sh: port 21 is already taken" >&2
  exit 1
fi
(
  while [ ! -e "$work/stop" ]; do
    "$python" "$here/ftp_server.py" "$ftp" "$work/ftp-commands.log" "$TW_URL_FTP_USER" "$TW_URL_FTP_PASSWORD" >>"$work/ftp-server.log" 2>&1 &
    echo $! >"$work/ftp.pid"
    wait $!
    sleep 0.2
  done
) &
supervisor_pid=$!

http_port=$("$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$python" -m http.server --bind 127.0.0.1 --directory "$work/http" "$http_port" >"$work/http-server.log" 2>&1 &
http_pid=$!

wait_listening 21 || exit 1
wait_listening "$http_port" || exit 1

# Only 127.0.0.1 is reached, never through a proxy.
unset http_proxy https_proxy ftp_proxy all_proxy HTTP_PROXY HTTPS_PROXY FTP_PROXY ALL_PROXY
export no_proxy=127.0.0.1,localhost
export TW_URL_FTP_ROOT="$ftp"
export TW_URL_FTP_LOG="$work/ftp-commands.log"
export TW_URL_HTTP_PORT="$http_port"

timeout -k 10 270 "$here/../../tools/wine-run.sh" "$exe" "$@"
rc=$?
if [ "$rc" -ne 0 ]; then
  echo "run.sh: exit code $rc; last FTP commands:" >&2
  tail -n 40 "$work/ftp-commands.log" >&2 2>/dev/null
fi
exit "$rc"
