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
# valgrind runs the program in its own process, so the window has its pid.
cat >"$work/under-valgrind" <<EOS
#!/bin/sh
exec valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
    --num-callers=40 --log-file="$report" "$game"
EOS
chmod +x "$work/under-valgrind"
start_game "$work/under-valgrind"
new_game "Ann" "Bob"
for n in 1 4 2 5 3; do click_cell "$n"; done
wait_box "$main"
press_in_box alt+n
menu x
wait_for "the program to end" ended

step "memcheck: $(grep -o 'ERROR SUMMARY: .*' "$report")"
ours='\((main|application|frmtictactoe|frmabout|frmhelp|modhelp|accessibility|announcement|boardfocus|spoken|classiclabel|linklabel|lineshape|picturebox|pictures|fonts|systemcolors|qtplatform)\.(cpp|h):[0-9]+\)'
# Each error is a paragraph of the report; keep those that pass through us.
found=$(awk -v RS= -v ours="$ours" '$0 ~ ours && $0 !~ /HEAP SUMMARY|LEAK SUMMARY/' "$report")
[ -z "$found" ] || fail "memcheck errors in the program's code:"$'\n'"$found"
step "passed"
