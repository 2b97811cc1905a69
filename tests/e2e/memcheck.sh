#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Plays a short game with the built program under valgrind's memcheck and
# fails on any error or definite leak whose stack passes through the
# program's own code. Errors inside the libraries alone are listed, not
# failed on: they are not ours to mend.
#
#   memcheck.sh TICTACTOE WORKDIR
set -euo pipefail

game=$1 work=$2
mkdir -p "$work"
command -v valgrind >/dev/null || { echo "valgrind is missing" >&2; exit 1; }
. "$(dirname "$0")/xsession.sh"

start_session
report="$work/memcheck.log"
sources=$(cd "$(dirname "$0")/../.." && pwd)
# valgrind runs the program in its own process, so the window has its pid.
cat >"$work/under-valgrind" <<EOS
#!/bin/sh
exec valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
    --num-callers=40 --fullpath-after="$sources" --suppressions="$sources/tests/valgrind.supp" \
    --log-file="$report" "$game"
EOS
chmod +x "$work/under-valgrind"
start_game "$work/under-valgrind"
new_game "Ann" "Bob"
play 1 4 2 5 3
wait_box "$main"
press_in_box alt+n
menu x
wait_for "the program to end" ended

step "memcheck: $(grep -o 'ERROR SUMMARY: .*' "$report")"
# The program's own sources, named from the top of the tree.
ours='\(/(main\.cpp|application\.(cpp|h)|board\.h|(game|info|access|controls|platform)/[^:]+):[0-9]+\)'
# Each error is a paragraph of the report once the process id that starts
# every line is gone; keep those that pass through us. A possible leak is
# shown but is no error (a thread Qt starts for the session bus).
found=$(sed 's/^==[0-9]*== \{0,1\}//' "$report" | awk -v RS= -v ours="$ours" \
    '$0 ~ ours && $0 !~ /HEAP SUMMARY|LEAK SUMMARY|are possibly lost/')
[ -z "$found" ] || fail "memcheck errors in the program's code:"$'\n'"$found"
step "passed"
