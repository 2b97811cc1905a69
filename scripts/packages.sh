# shellcheck shell=bash disable=SC2034 # the lists are for the scripts that source this
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: installs the Debian packages given that are not installed yet.

ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt_waiting update -qq
    apt_waiting install -y -qq --no-install-recommends "${missing[@]}"
}

# Runs apt-get with its arguments. apt waits for dpkg's lock when told to,
# but gives up at once on the package lists' lock and the downloaded
# archives' lock (apt 2.6 has no time-out for them), which the daily update
# of a freshly booted machine holds: this waits for them too, up to ten
# minutes.
apt_waiting() {
    local deadline=$((SECONDS + 600)) out
    until out=$(LC_ALL=C apt-get -o DPkg::Lock::Timeout=600 "$@" 2>&1); do
        if ! grep -q "Could not get lock" <<<"$out" || ((SECONDS >= deadline)); then
            echo "$out" >&2
            return 1
        fi
        sleep 5
    done
    [ -z "$out" ] || echo "$out"
}

# What building and running the game needs. Liberation Sans is the face the
# windows are drawn in; dpkg-buildflags gives the release build its hardening
# flags; GIO's headers (found with pkgconf) declare the calls that read
# GNOME's settings.
build_packages=(g++ make cmake qt6-base-dev fonts-liberation2 fonts-dejavu-core dpkg-dev
                libglib2.0-dev pkgconf)

# What the tests need besides: a private X server with a window manager, a
# session bus and real input, screenshots, the formatter the style check
# runs, the shell script checker, the validators of the menu entry, the
# metadata and the Debian package, the tracers that watch the program, and
# what the benchmark's window watcher is built with.
test_packages=(xvfb xauth xdotool x11-utils openbox wmctrl dbus-daemon imagemagick clang-format
               desktop-file-utils appstream lintian dpkg-dev file strace valgrind
               libxcb-damage0-dev pkgconf procps shellcheck)
# Building and checking the Debian package: the upstream tarball from git,
# the package build, lintian, hardening-check (in devscripts), and what the
# autopkgtest plays the packaged game with (debian/tests/control).
package_packages=(git xz-utils build-essential debhelper devscripts lintian fonts-liberation2
                  xvfb xauth x11-xkb-utils openbox dbus-daemon xdotool x11-utils imagemagick)
test_packages+=("${package_packages[@]}")
# Checking the source package as Debian checks an upload (scripts/package-in.sh):
# the upstream tarball from git, the source package, sbuild in unshare mode
# with the newuidmap its user namespaces need and mmdebstrap for its build
# root, lintian, blhc, autopkgtest, piuparts, and hardening-check.
debian_check_packages=(git xz-utils dpkg-dev sbuild mmdebstrap uidmap lintian blhc autopkgtest
                       piuparts devscripts)
# The licence check that distributions' reviewers run.
test_packages+=(reuse)
# GNOME's settings schemas, whose Large Text and High Contrast the game
# follows, and the settings store and its command, as a GNOME session has
# them.
test_packages+=(gsettings-desktop-schemas dconf-gsettings-backend dconf-service libglib2.0-bin)
# The accessibility bus, a listener on it and the screen reader, for the
# test of keyboard play by ear; the voice a desktop has, so that the speech
# server really plays (into a silent sink that the test sets up).
test_packages+=(at-spi2-core python3-pyatspi orca speech-dispatcher-espeak-ng)
# The game on Wayland: Qt's Wayland platform plugin, a headless compositor,
# and dbus-send to wake the accessibility bus the test plays through.
test_packages+=(qt6-wayland weston dbus-bin)
# The game on GNOME's compositor, played by keys through mutter's remote
# desktop keyboard (GLib's Python bindings call it) and heard through Orca.
test_packages+=(mutter python3-gi)
# The game on Plasma's compositor: KWin with the title bar Plasma draws
# (Breeze), Mesa's software OpenGL that it composites with where there is no
# GPU, and what the test's fake input client is built from (the protocol,
# wayland-scanner and libwayland-client).
test_packages+=(kwin-wayland kwin-style-breeze libgl1-mesa-dri plasma-wayland-protocols
                libwayland-dev)
