#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced after xsession.sh by the tests that play by ear: the Orca screen
# reader in the private session, a listener on the accessibility bus, and
# what Orca said. The sourcing script defines keys, which presses the keys
# it is given (xdotool's names) on its display.

command -v orca >/dev/null || fail "orca is missing"
# Debian's Python, which has the bindings, whatever python3 comes first in PATH.
atspi="/usr/bin/python3 $(dirname "${BASH_SOURCE[0]}")/atspi.py"
events="${work:?}/events.log"

# Starts Orca and the listener, which writes to $events; sets orca_pid.
start_orca() {
    # Qt speaks to the bus only when asked to, or when a desktop says so.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # Orca's speech server plays into ALSA's null device: no sound card, or
    # the lack of one, can hang or mute it.
    mkdir -p "$HOME/.config/speech-dispatcher"
    printf 'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n' \
        >"$HOME/.config/speech-dispatcher/speechd.conf"
    echo 'pcm.!default { type null }' >"$HOME/.asoundrc"

    : >"$events"
    # Orca allows one of itself per user; the test does not replace a player's.
    ! pgrep -u "$(id -u)" -x orca >/dev/null || fail "an Orca of this user is running already"
    spawn orca -u "$work/orca-prefs" --debug-file="$work/orca.log" >"$work/orca.out" 2>&1
    orca_pid=$!
    # Orca writes its log in chunks: wait for it on the bus instead.
    wait_for "the screen reader" $atspi running orca
    spawn $atspi listen "$events" >"$work/listen.out" 2>&1
    wait_for "the bus listener" grep -qx ready "$work/listen.out"
}

# Goes at a listener's pace: waits until Orca has worked through what it
# heard (its CPU time stays put for half a second). Answered faster, a box
# or a replaced message goes by unspoken.
cpu_time() { awk '{ print $14 + $15 }' "/proc/$orca_pid/stat"; }
quiet_polls=0 last_cpu=-1
orca_idle() {
    local now
    now=$(cpu_time)
    if [ "$now" = "$last_cpu" ]; then quiet_polls=$((quiet_polls + 1)); else quiet_polls=0; fi
    last_cpu=$now
    [ "$quiet_polls" -ge 50 ]
}
settle() {
    quiet_polls=0 last_cpu=-1
    wait_for "Orca to catch up" orca_idle
}

# Presses keys and waits until the bus has carried each of the given lines
# since, in any order.
seen_since() { tail -n +"$1" "$events" | grep -qxF -- "$2"; }
keys_then() {
    local combination=$1 from line
    shift
    from=$(($(wc -l <"$events") + 1))
    # shellcheck disable=SC2086 # several keys
    keys $combination
    for line in "$@"; do wait_for "$line" seen_since "$from" "$line"; done
    settle
}
cell() { echo "focus push button: row $1, column $2, ${3:-empty}"; }

# F2 and the names $1 and $2 typed into the boxes through a compositor
# (input), each box and the first turn heard.
new_game_by_keys() {
    keys_then F2 "focus text: Please enter your name, Player 1:"
    input "type $1"
    keys_then Return "focus text: Please enter your name, Player 2:"
    input "type $2"
    keys_then Return "$(said "It's $1's turn.")"
}
said() { echo "said: $1"; }

# Ends Orca and puts what it said, a line each, in $work/spoken.txt. Orca
# writes its log in chunks of 8 KiB: what it said last can stay unwritten
# for as long as it is idle, and seconds of polling the log would miss it.
# A few more keys before this push what matters out of its buffer; then it
# is asked to end, and killed should it not.
orca_said() {
    kill "$orca_pid"
    orca_ended() { ! kill -0 "$orca_pid" 2>/dev/null; }
    poll_until orca_ended || kill -KILL -- "-$orca_pid" 2>/dev/null || true
    wait "$orca_pid" 2>/dev/null || true
    sed -n "s/.*SPEECH OUTPUT: '\(.*\)' *{.*/\1/p" "$work/orca.log" >"$work/spoken.txt"
}
spoke() { grep -qF -- "$1" "$work/spoken.txt" || fail "Orca did not say: $1"; }

# With the question "Play again?", the move and result $1 that ended the
# game, and the focused button.
spoke_play_again() {
    grep -A6 -F "Play again?" "$work/spoken.txt" | grep -qE "(^|notification )${1//./\\.}\$" ||
        fail "Orca did not say the result with Play again?"
    grep -A6 -F "Play again?" "$work/spoken.txt" | grep -qE "^Yes (push )?button" ||
        fail "Orca did not say the Yes button with Play again?"
}
