#!/usr/bin/env bash
# own_x_server.sh PROGRAM [ARGS...]
# Runs one window test program under an X server of its own (Xvfb, unix socket
# only, its own cookie) and exits with the program's status. ctest starts every
# window test through it (the test executables' CROSSCOMPILING_EMULATOR).
#
# Why not one server for all: a shared Xvfb resets when its last client leaves
# and drops a client that connects meanwhile ("could not connect to display"),
# and a program whose last X timestamp is older than another program's
# clipboard change cannot take the clipboard back, so its reads go to the other
# program (empty, or after Qt's timeouts). A server per program has neither.
# The server goes away with this script however the program ends: a trap on
# exit and signals, and the kernel's parent-death signal (for the server and the
# program) if this script is killed outright.
set -uo pipefail

# Listing the tests (ctest's discovery) opens no window.
for arg in "$@"; do
  [ "$arg" = --gtest_list_tests ] && exec "$@"
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/trelvane-x.XXXXXX") || exit 1
server=""
program=""

cleanUp() {
  [ -n "$program" ] && kill -KILL "$program" 2>/dev/null
  if [ -n "$server" ]; then
    kill -TERM "$server" 2>/dev/null
    wait "$server" 2>/dev/null  # it removes its lock file and socket
  fi
  rm -rf "$dir"
}
onSignal() {  # passes the signal on, then leaves with the shell's status for it
  [ -n "$program" ] && kill "-$1" "$program" 2>/dev/null && wait "$program" 2>/dev/null
  program=""
  exit "$2"
}
trap cleanUp EXIT
trap 'onSignal TERM 143' TERM
trap 'onSignal INT 130' INT
trap 'onSignal HUP 129' HUP

# The server takes any cookie in its file whatever the display number; the
# program needs the entry for the number the server chose.
cookie=$(mcookie)
xauth -q -f "$dir/auth" add :0 . "$cookie" 2>/dev/null
mkfifo "$dir/ready"
# -displayfd: the server picks a free display and writes its number once it
# accepts connections; -noreset: it never resets between connections.
setpriv --pdeathsig TERM Xvfb -displayfd 3 -nolisten tcp -noreset -auth "$dir/auth" \
  -screen 0 1280x1024x24 3>"$dir/ready" 2>"$dir/server.log" &
server=$!
number=""
if ! read -r -t 60 number <"$dir/ready" || [ -z "$number" ]; then
  echo "own_x_server.sh: Xvfb did not start within 60 s:" >&2
  cat "$dir/server.log" >&2
  exit 1
fi
xauth -q -f "$dir/auth" add ":$number" . "$cookie" 2>/dev/null

export DISPLAY=":$number" XAUTHORITY="$dir/auth" QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$dir}"
setpriv --pdeathsig KILL "$@" &
program=$!
wait "$program"
status=$?
program=""
exit "$status"
