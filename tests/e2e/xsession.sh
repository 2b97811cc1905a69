#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by scripts that drive the built game in a private X server with
# real input: the server, a window manager, the game, and a player's moves.
# The sourcing script sets "work" to a folder for logs first.

for tool in Xvfb dbus-daemon openbox xdotool xkbcomp xprop xwininfo import setsid; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

# Everything the test makes goes under $work, which it removes parts of.
[ -n "${work:-}" ] || { echo "no work folder given" >&2; exit 2; }

# Waits scale with the build: a sanitizer or valgrind build runs slower.
wait_scale=${TICTACTOE_WAIT_SCALE:-1}
# The test's Python helpers leave no compiled copy in the source tree.
export PYTHONDONTWRITEBYTECODE=1

# Every process the test starts leads a process group of its own, so that
# ending it also ends whatever it started (a bus daemon's activated
# services, a traced program's children).
groups=()
end_group() {
    kill -TERM -- "-$1" 2>/dev/null || return 0
    for _ in $(seq 1 100); do
        kill -0 -- "-$1" 2>/dev/null || break
        sleep 0.02
    done
    # What does not end when asked is killed: cleanup never waits long.
    kill -KILL -- "-$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
# Daemons that leave their group (a speech server started by a screen
# reader) still carry the session's runtime folder in their environment.
leftovers() {
    [ -n "${XDG_RUNTIME_DIR:-}" ] || return 0
    grep -lzx -- "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" /proc/[0-9]*/environ 2>/dev/null |
        cut -d/ -f3 | grep -vx "$$" || true
}
cleanup() {
    # The game first, then the window manager, the bus and the server.
    for ((i = ${#groups[@]} - 1; i >= 0; i--)); do end_group "${groups[i]}"; done
    local pid
    for pid in $(leftovers); do kill -KILL "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# Starts a command in the background in a process group of its own; $! is
# its pid. (A background job of a script is never a group leader, so setsid
# runs the command in place.)
spawn() {
    setsid "$@" &
    groups+=($!)
}

# No test outlives its budget: past it the test fails and cleans up.
trap 'fail "still running after $((120 * wait_scale)) s"' USR1
spawn sh -c "sleep $((120 * wait_scale)) && kill -USR1 $$"

# Polls a command until it succeeds, for at most ten seconds times the
# build's wait scale; poll_until says no, wait_for fails the test.
poll_until() {
    local deadline=$((${EPOCHREALTIME/./} + 10000000 * wait_scale))
    until "$@" >/dev/null 2>&1; do
        ((${EPOCHREALTIME/./} < deadline)) || return 1
        sleep 0.01
    done
}
wait_for() {
    local what=$1; shift
    poll_until "$@" || { show_session >&2; fail "timed out waiting for $what"; }
}
# What the session shows when a wait fails, so that the failure explains
# itself: the game's windows, the focus, and the latest of each log.
show_session() {
    local w log
    echo "-- the session, as the wait ended:"
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "$work/at-failure.png" 2>/dev/null && echo "screen: $work/at-failure.png"
        echo "focus: $(xdotool getwindowfocus 2>/dev/null || echo none)"
        for w in $(xdotool search --pid "${game_pid:-0}" 2>/dev/null); do
            xwininfo -id "$w" 2>/dev/null | awk -v w="$w" '
                /^xwininfo/ { name = $0; sub(/^[^"]*/, "", name) }
                /Map State:/ { state = $NF }
                END { if (state == "IsViewable") print "window " w " " name }'
        done
    fi
    for log in "$work"/*.log; do
        if [ -s "$log" ]; then
            echo "${log##*/}:"
            tail -n 5 "$log"
        fi
    done
}

# A home, runtime folder and session bus of the test's own, under $work, so
# that nothing from the machine's own session (or the lack of one) reaches
# the game. Exports HOME, XDG_RUNTIME_DIR and DBUS_SESSION_BUS_ADDRESS.
start_private_session() {
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
    rm -rf "${work:?}/home" "${work:?}/runtime"
    mkdir -p "$HOME"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR XDG_CONFIG_HOME XDG_DATA_HOME \
        XDG_CACHE_HOME XDG_SESSION_TYPE XDG_CURRENT_DESKTOP SESSION_MANAGER

    session_bus="$XDG_RUNTIME_DIR/bus"
    spawn dbus-daemon --session --nofork --nopidfile --address="unix:path=$session_bus" \
        >"$work/bus.log" 2>&1
    wait_for "the session bus" test -S "$session_bus"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$session_bus"
}

# Starts Xvfb on a free display and exports DISPLAY.
start_x_server() {
    exec 3>"$work/display"
    spawn Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1
    exec 3>&-
    wait_for "the X server" test -s "$work/display"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

# Starts GNOME's compositor, headless, on a virtual 1024 x 768 monitor, and
# exports WAYLAND_DISPLAY.
start_mutter() {
    export WAYLAND_DISPLAY=wayland-gnome
    spawn mutter --headless --wayland --no-x11 --virtual-monitor 1024x768 \
        --wayland-display "$WAYLAND_DISPLAY" >"$work/mutter.log" 2>&1
    wait_for "mutter" dbus-send --session --dest=org.gnome.Mutter.RemoteDesktop \
        --print-reply /org/gnome/Mutter/RemoteDesktop org.freedesktop.DBus.Peer.Ping
}

# Starts Plasma's compositor, KWin, on a virtual 1024 x 768 screen, and
# exports WAYLAND_DISPLAY. Debian's kwin_wayland carries a file capability
# (to raise its limits) that a container may not grant, and then cannot be
# run at all ("Operation not permitted"); a copy carries none. The
# variables let any client use the fake input and take screenshots, as the
# test's own clients do.
start_kwin() {
    cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
        spawn "$work/kwin_wayland" --virtual --width 1024 --height 768 --socket wayland-kwin \
        --no-lockscreen --no-global-shortcuts >"$work/kwin.log" 2>&1
    kwin_pid=$!
    kwin_ready() { ! kill -0 "$kwin_pid" || test -S "$XDG_RUNTIME_DIR/wayland-kwin"; }
    poll_until kwin_ready && kill -0 "$kwin_pid" 2>/dev/null ||
        fail "KWin did not start; its log ends:
$(tail -n 15 "$work/kwin.log")"
    export WAYLAND_DISPLAY=wayland-kwin
}

# Keys and the pointer through a Wayland compositor: a driver (the command
# given: mutter-input.py, fakeinput) that takes commands from a pipe, and
# says "ready", then "done" after each.
start_input() {
    rm -f "$work/input"
    mkfifo "$work/input"
    # Read and write: opening the pipe then waits for nobody.
    exec 4<>"$work/input"
    spawn "$@" "$work/input" >"$work/input.log" 2>&1
    wait_for "the keyboard and pointer" grep -qx ready "$work/input.log"
}
dones() { grep -cx "done" "$work/input.log" || true; }
done_since() { [ "$(dones)" -gt "$1" ]; }
# Sends a command (key KEY..., type TEXT, ...) and waits until it is handled.
input() {
    local before
    before=$(dones)
    echo "$*" >&4
    wait_for "the compositor to take: $*" done_since "$before"
}

# Starts a private desktop session: a private session with Xvfb on a free
# display and openbox on it. Exports DISPLAY too.
start_session() {
    start_private_session
    start_x_server

    # No autostart: the desktop services it starts would race the game.
    spawn openbox --sm-disable --startup true >"$work/openbox.log" 2>&1
    # Openbox names its desktops last when it starts: a window shown before
    # then may never be mapped. (xprop succeeds for a missing property too.)
    wait_for "the window manager" root_has _NET_SUPPORTING_WM_CHECK
    wait_for "the window manager to be ready" root_has _NET_DESKTOP_NAMES
}

root_has() { xprop -root "$1" 2>/dev/null | grep -q -e ' = ' -e '# '; }

visible_windows() { xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null || true; }
has_window() { [ -n "$(visible_windows)" ]; }
gone() { ! visible_windows | grep -qx "$1"; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Waits for the game to end and checks its status ($1, by default 0). In a
# sanitizer build a finding makes the status non-zero; it is shown too.
expect_end() {
    wait_for "the program to end" ended
    local status=0
    wait "$game_pid" || status=$?
    [ "$status" = "${1:-0}" ] ||
        fail "the program ended with status $status: $(tail -n 20 "$work/game.log")"
    ! grep -E "AddressSanitizer|LeakSanitizer|runtime error" "$work/game.log" ||
        fail "a sanitizer finding"
}

# The window that has the keyboard, once it is one of ours other than $1.
focused_box() {
    local focus
    focus=$(xdotool getwindowfocus 2>/dev/null) || return 1
    [ "$focus" != "$1" ] && visible_windows | grep -qx "$focus" && echo "$focus"
}

# Starts the game and waits for its main window: sets game_pid, main and
# menu_height, and checks the title and the client area's place and size.
# Further arguments are a command to start it under (strace, valgrind ...),
# whose child is then the game.
start_game() {
    local program=$1 launcher
    shift
    spawn "$@" "$program" >"$work/game.log" 2>&1
    launcher=$!
    game_pid=$launcher
    if [ $# -gt 0 ]; then
        started() { pgrep -P "$launcher" >/dev/null; }
        wait_for "the program to start" started
        game_pid=$(pgrep -P "$launcher" | head -n 1)
    fi
    wait_for "the main window" has_window
    main=$(visible_windows | head -n 1)

    [ "$(xdotool getwindowname "$main")" = "Tic Tac Toe" ] ||
        fail "title is $(xdotool getwindowname "$main")"

    # 249 x 231 below the menu bar, the client area's top left at (17, 55).
    local info x y width height
    info=$(xwininfo -id "$main")
    x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
    width=$(awk '/Width:/ { print $NF }' <<<"$info")
    height=$(awk '/Height:/ { print $NF }' <<<"$info")
    menu_height=$((height - 231))
    [ "$width" = 249 ] || fail "the window is $width wide"
    [ "$x,$((y + menu_height))" = "17,55" ] || fail "the client area is at $x,$((y + menu_height))"
}

# F2, by its keycode: xdotool 3.20160805 finds a function key at the level
# that xkb-data 2.48 and later reach with Ctrl+Alt, and presses Alt with it.
press_f2() {
    local keycode
    keycode=$(xkbcomp -xkb "$DISPLAY" - 2>/dev/null | sed -n 's/^ *<FK02> = \([0-9]*\);/\1/p')
    xdotool key "${keycode:-F2}"
}

activate_main() {
    xdotool windowactivate --sync "$main"
    wait_for "the main window to have the keyboard" has_focus "$main"
}

# Waits for a box to open over window $1 and to take the keyboard; sets box
# and checks its title.
wait_box() {
    wait_for "a box" focused_box "$1"
    box=$(focused_box "$1")
    [ "$(xdotool getwindowname "$box")" = "TicTacToe" ] ||
        fail "a box titled $(xdotool getwindowname "$box")"
}

# Presses keys in the open box and waits for it to close.
press_in_box() {
    xdotool key "$@"
    wait_for "the box to close" gone "$box"
}

# Waits for an input box to open over window $1 and answers it: selects the
# default text, types $2 (if any) and presses Return.
answer_box() {
    wait_box "$1"
    # Real key presses go to the window that has the keyboard: the box.
    xdotool key ctrl+a
    [ -z "$2" ] || xdotool type --delay 0 "$2"
    press_in_box Return
}

# F2, and both names typed into the real boxes.
new_game() {
    activate_main
    press_f2
    answer_box "$main" "$1"
    answer_box "$main" "$2"
}

# A real click at $2,$3 in window $1; further arguments go to xdotool's
# click, which waits until the pointer is there.
click_at() {
    xdotool mousemove --sync --window "$1" "$2" "$3" click --delay 0 "${@:4}" 1
}

# A real click in the middle of cell N (1 to 9, row by row).
click_cell() {
    local n=$1
    click_at "$main" $((40 + 56 * ((n - 1) % 3) + 28)) $((56 + 56 * ((n - 1) / 3) + 28 + menu_height))
}

# The pixels of cell N as the screen shows them, as a checksum.
cell_look() {
    local n=$1
    import -window "$main" -crop 48x48+$((44 + 56 * ((n - 1) % 3)))+$((60 + 56 * ((n - 1) / 3) + menu_height)) \
        +repage rgb:- 2>/dev/null | md5sum
}
cell_changed() { [ "$(cell_look "$1")" != "$2" ]; }

# Moves on the given cells in turn, as players make them: each clicked once
# the last is drawn. Openbox holds the pointer still from each press until
# it has handled the click, and the release waits meanwhile; a move to the
# next cell made then had the release come at the next cell, outside the
# one pressed, and the game rightly saw no click.
play() {
    local n before
    for n in "$@"; do
        before=$(cell_look "$n")
        click_cell "$n"
        wait_for "cell $n to change" cell_changed "$n" "$before"
    done
}

# The visible window of ours titled $1.
window_named() {
    local w
    for w in $(visible_windows); do
        [ "$(xdotool getwindowname "$w")" = "$1" ] && echo "$w" && return 0
    done
    return 1
}
menu_open() { [ "$(visible_windows | wc -l)" -gt "$1" ]; }

# Opens the menu with Alt+M and presses the given keys in it.
menu() {
    local before
    before=$(visible_windows | wc -l)
    activate_main
    xdotool key alt+m
    wait_for "the menu to drop down" menu_open "$before"
    xdotool key "$@"
}
