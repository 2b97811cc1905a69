# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the benchmark scripts: a work folder, a Release build of what
# is measured, and a private X server.

fail() { echo "bench: $*" >&2; exit 1; }

require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing"
    done
}

work=$(mktemp -d)
xvfb=
bus=
cleanup() {
    [ -n "$bus" ] && kill "$bus" 2>/dev/null && wait "$bus" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "${work:?}"
}
trap cleanup EXIT

# Builds the game and the bench programs as released, into the folder given.
build_release() {
    echo "Building a Release tree in $1 ..."
    {
        cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTICTACTOE_BENCH=ON \
            -DTICTACTOE_DPKG_BUILDFLAGS=ON &&
            cmake --build "$1" --parallel "$(nproc)" \
                --target tictactoe bench_floor bench_watch bench_inprocess
    } >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; fail "the build failed"; }
}

# A private server on a free display; no window manager, so that a window is
# mapped the moment the program asks for it. The root is black, as the
# watcher needs to tell a window painted from one just mapped.
start_xserver() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -br -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    exec 3>&-
    for _ in $(seq 1 500); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
        sleep 0.02
    done
    [ -s "$work/display" ] || fail "Xvfb did not announce its display"
    export DISPLAY=":$(cat "$work/display")"
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Nothing from the caller's desktop may steer Qt.
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
        QT_AUTO_SCREEN_SCALE_FACTOR QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
}

# A GNOME desktop's settings as a session has them: a session bus of its
# own (with the settings store and the settings portal activated on
# demand), High Contrast switched on.
start_gnome_settings() {
    export HOME=$work/home XDG_CURRENT_DESKTOP=GNOME
    mkdir -p "$HOME"
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" \
        >"$work/bus.log" 2>&1 &
    bus=$!
    for _ in $(seq 1 500); do
        [ -S "$XDG_RUNTIME_DIR/bus" ] && break
        sleep 0.01
    done
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    gsettings set org.gnome.desktop.a11y.interface high-contrast true ||
        fail "GNOME's settings cannot be set"
}
