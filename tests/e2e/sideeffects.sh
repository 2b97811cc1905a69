#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Plays a short game with the built program under strace and checks that it
# writes no file and connects to nothing but the X display and the session's
# own bus (which Qt asks whether a screen reader is listening). Only the
# game and what it starts itself are traced, not the session's daemons.
#
#   sideeffects.sh TICTACTOE WORKDIR
set -euo pipefail

game=$1 work=$2
mkdir -p "$work"
command -v strace >/dev/null || { echo "strace is missing" >&2; exit 1; }
. "$(dirname "$0")/xsession.sh"

start_session
raw="$work/strace.log" trace="$work/calls.log"
start_game "$game" strace -f -qq -o "$raw" -e trace=%file,%network,%process,memfd_create
new_game "Ann" "Bob"
play 5 1 9
menu x
wait_for "the program to end" ended
# A call that another thread interrupts is written in two lines, "<unfinished
# ...>" and "<... NAME resumed>": each is joined into one.
awk '/ <unfinished \.\.\.>$/ { sub(/ <unfinished \.\.\.>$/, ""); pending[$1] = $0; next }
     /^[0-9]+ +<\.\.\. [a-z0-9_]+ resumed>/ {
         rest = $0; sub(/^[0-9]+ +<\.\.\. [a-z0-9_]+ resumed>/, "", rest)
         print pending[$1] rest; delete pending[$1]; next }
     { print }' "$raw" >"$trace"

step "files opened for writing, created, removed or renamed"
# Successful calls only; /dev and /proc are devices and the kernel's.
writes=$(grep -v -e ' = -1 ' "$trace" |
    grep -E '(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)|(^[0-9]+ +(mkdir|mkdirat|unlink|unlinkat|rename|renameat2?|creat|truncate|link|symlink)\()' |
    grep -v -E '"/(dev|proc)/' || true)
[ -z "$writes" ] || fail "the program wrote files:"$'\n'"$writes"

step "connections"
# The X server's socket is the only peer: Unix sockets to /tmp/.X11-unix.
sockets=$(grep -E '^[0-9]+ +socket\(' "$trace" | grep -v ' = -1 ' | grep -v 'AF_UNIX' || true)
[ -z "$sockets" ] || fail "sockets other than Unix sockets:"$'\n'"$sockets"
peers=$(grep -E '^[0-9]+ +connect\(' "$trace" | grep -v ' = -1 ' |
    grep -v -E 'X11-unix/X[0-9]+' | grep -v -F "sun_path=\"$session_bus\"" || true)
[ -z "$peers" ] || fail "connections other than to the display and the session bus:"$'\n'"$peers"
step "no process started"
# The first exec is the tracer starting the game.
started=$(grep -E '^[0-9]+ +execve\(' "$trace" | grep -v ' = -1 ' | tail -n +2 || true)
[ -z "$started" ] || fail "the program started other programs:"$'\n'"$started"
grep -q -E 'connect\(.*X11-unix/X[0-9]+.* = 0' "$trace" || fail "no connection to the display was seen"
step "passed"
