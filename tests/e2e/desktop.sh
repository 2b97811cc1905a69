#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The game on a real desktop (openbox): its window matched to its menu
# entry, its boxes over the game window, no window that can be lost, and
# the links opened once per double-click, from the root folder; and GNOME's
# High Contrast followed while the game runs.
#
#   desktop.sh TICTACTOE DESKTOP_FILE WORKDIR
set -euo pipefail

game=$1 desktop_file=$2 work=$3
mkdir -p "$work/bin"
rm -f "$work/opened"
. "$(dirname "$0")/xsession.sh"

# The desktop's opener, replaced by one that notes its folder and address.
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
echo "\$PWD \$*" >>"$work/opened"
SCRIPT
chmod +x "$work/bin/xdg-open"
opened() { [ "$(wc -l <"$work/opened" 2>/dev/null)" = "$1" ]; }

start_session
# Started from a folder of its own, which the opener must not inherit.
cd "$work"
export PATH="$work/bin:$PATH"
unset BROWSER DEFAULT_BROWSER
start_game "$game"

step "the window's class is the menu entry's StartupWMClass"
class=$(xprop -id "$main" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[ -n "$class" ] || fail "no WM_CLASS: $(xprop -id "$main" WM_CLASS)"
grep -qx "StartupWMClass=$class" "$desktop_file" || fail "the class $class is not in the menu entry"

# Checks that the open box belongs to the game window and opens over it:
# its middle within the game window, and wide enough for the title.
box_over_main() {
    local transient info x y width height
    transient=$(xprop -id "$box" WM_TRANSIENT_FOR | awk '{ print $NF }')
    [ "$((transient))" = "$main" ] || fail "a box transient for $transient, not the game window"
    info=$(xwininfo -id "$box")
    x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
    width=$(awk '/Width:/ { print $NF }' <<<"$info")
    height=$(awk '/Height:/ { print $NF }' <<<"$info")
    [ "$width" -ge 200 ] || fail "a box $width pixels wide"
    local middle_x=$((x + width / 2)) middle_y=$((y + height / 2))
    [ "$middle_x" -gt 17 ] && [ "$middle_x" -lt 266 ] && [ "$middle_y" -gt 55 ] &&
        [ "$middle_y" -lt 286 ] || fail "a box at $x,$y, not over the game window"
}

step "every box over the game window, the second name box too"
activate_main
press_f2
for name in Ann Bob; do
    wait_box "$main"
    box_over_main
    xdotool key ctrl+a type --delay 0 "$name"
    press_in_box Return
done
play 1 4 2 5 3
wait_box "$main" # Play again?
box_over_main
press_in_box alt+n
click_at "$main" 240 $((168 + menu_height))
wait_box "$main" # Password?
box_over_main
xdotool type --delay 0 "wrong"
press_in_box Return
wait_box "$main" # Password incorrect.
box_over_main
press_in_box Return

window_state() { xprop -id "$1" WM_STATE | grep -q "window state: $2"; }
unmapped() { xwininfo -id "$1" | grep -q IsUnMapped; }
place() { xwininfo -id "$1" | awk '/Absolute upper-left [XY]/ { printf "%s,", $NF }'; }
at_place() { [ "$(place "$1")" = "$2" ]; }

step "About minimised comes straight back"
menu a
wait_for "the About window" window_named "About Tic Tac Toe"
about=$(window_named "About Tic Tac Toe")
wait_for "the About window to be shown" window_state "$about" Normal
xdotool windowminimize "$about"
wait_for "the About window to come back" has_focus "$about"
window_state "$about" Normal || fail "About is $(xprop -id "$about" WM_STATE)"
xdotool key Escape
wait_for "the About window to close" gone "$about"

step "Help minimised comes back when chosen again"
menu Down Return
wait_for "the Help window" window_named "Pelko's Games Help"
help=$(window_named "Pelko's Games Help")
wait_for "the Help window to be shown" window_state "$help" Normal
shown_at=$(place "$help")
xdotool windowminimize "$help"
# Openbox animates minimising and restoring: wait for either to end.
wait_for "the Help window to be minimised" unmapped "$help"
window_state "$help" Iconic || fail "Help is $(xprop -id "$help" WM_STATE)"
menu Down Return
wait_for "the Help window to come back" window_state "$help" Normal
wait_for "the Help window to come back to its place" at_place "$help" "$shown_at"
wait_for "the Help window to have the keyboard" has_focus "$help"

step "a double-click on a link opens it once, from the root folder"
click_at "$help" 60 48 --repeat 2
wait_for "the website to be opened" opened 1
# A click on the other link to wait for: a second opening of the website
# would come before it.
click_at "$help" 60 104
wait_for "the mail to be opened" opened 2
[ "$(cat "$work/opened")" = "/ http://pelko.example/games/index.html
/ mailto:pelko@pelko.example" ] || fail "opened: $(cat "$work/opened")"

step "GNOME's High Contrast, switched on and off while the game runs"
end_group "$game_pid"
XDG_CURRENT_DESKTOP=GNOME start_game "$game"
# The board's face, as the screen shows it.
face() {
    import -window "$main" -crop "1x1+40+$((56 + menu_height))" +repage -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}'
}
face_is() { [ "$(face)" = "$1" ]; }
desktop_face=$(face)
[ "$desktop_face" != "#FFFFFF" ] || fail "the board is white before High Contrast"
gsettings set org.gnome.desktop.a11y.interface high-contrast true
wait_for "the high-contrast palette" face_is "#FFFFFF"
gsettings set org.gnome.desktop.a11y.interface high-contrast false
wait_for "the desktop's palette again" face_is "$desktop_face"
step "passed"
