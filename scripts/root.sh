# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: runs a command in a pristine Debian root of another release, as
# a new user's machine has it, with a copy of this checkout in /src. Needs
# root.
#
# mmdebstrap makes the root, and sbuild, autopkgtest and piuparts make
# their own inside it; what is left here is what none of them does for a
# script that root runs on the host:
# - mmdebstrap's tarball is cached in $TICTACTOE_ROOT_CACHE (default
#   /var/cache/tictactoe-roots) and made afresh once older than
#   $TICTACTOE_ROOT_MAX_AGE days (default 7), by one run at a time;
# - the root is unpacked into memory, in mount, PID, UTS and IPC namespaces
#   that end with the run, whatever ends it: a root, a mount or a process
#   left behind by a killed run is not possible, so no sweep is needed;
# - it is entered with pivot_root, not chroot, so that the tools in it can
#   make user namespaces of their own.

. "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

root_cache=${TICTACTOE_ROOT_CACHE:-/var/cache/tictactoe-roots}
root_max_age=${TICTACTOE_ROOT_MAX_AGE:-7}
# How long a run waits for another that is writing the cached root: making
# one takes a minute or two.
cache_wait_seconds=900
root_job=

# Runs a command in mount, PID, UTS and IPC namespaces of its own that end
# with it, and it with this shell: should the run be killed, even with
# SIGKILL, the kernel kills the command and everything it started, and
# unmounts what it mounted. In the background, so that a signal's trap
# runs at once; it reads nothing from this run's input.
isolated() {
    setpriv --pdeathsig KILL unshare --mount --propagation private --pid --fork --kill-child \
        --mount-proc --uts --ipc "$@" </dev/null &
    root_job=$!
    local status=0
    wait "$root_job" || status=$?
    root_job=
    return "$status"
}

# The apt sources of a new machine of the release $1 from this machine's
# mirrors: the release with its -updates and -security, or unstable alone.
# (Left to itself, mmdebstrap would add security.debian.org, which a
# machine behind a mirror may not reach.)
release_sources() {
    local uris main security
    uris=$(sed -n 's/^URIs: *//p; s/^deb \(\[[^]]*\] \)\?\([^ ]*\).*/\2/p' \
        /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null)
    main=$(grep -v -m 1 security <<<"$uris" || echo http://deb.debian.org/debian)
    security=$(grep -m 1 security <<<"$uris" || echo "$main-security")
    if [ "$1" = sid ]; then
        echo "deb $main sid main"
    else
        printf 'deb %s %s main\n' "$main" "$1" "$main" "$1-updates" "$security" "$1-security"
    fi
}

# Writes the minimal root of the release $1 to the cache $2, unless a young enough one is there; run in isolation, holding
# the cache's lock. mmdebstrap's own temporary files lie in a folder of
# memory that goes with the namespace; the tarball is written beside the
# cached one and renamed only once it is on disk whole, and what a killed
# writer left of one is removed here. Only unstable accepts an expired
# index: its Release file may pass its Valid-Until date while the mirror
# waits for the next push.
refresh_cache() {
    local release=$1 base=$2 max_age=$3 part out options=() sources
    [ -z "$(find "$base" -mmin -$((max_age * 24 * 60)) 2>/dev/null)" ] || return 0
    rm -f "$base".part.*
    mount -t tmpfs tmpfs /mnt
    [ "$release" != sid ] || options+=(--aptopt='Acquire::Check-Valid-Until "false"')
    echo "Making a minimal $release root with mmdebstrap"
    part=$(mktemp "$base.part.XXXXXX")
    mapfile -t sources < <(release_sources "$release")
    if ! out=$(TMPDIR=/mnt mmdebstrap --variant=minbase --format=tar --quiet "${options[@]}" "$release" \
        "$part" "${sources[@]}" 2>&1); then
        tail -n 20 <<<"$out" >&2
        rm -f "$part"
        return 1
    fi
    chmod 644 "$part" && sync "$part" && mv "$part" "$base" && sync "$(dirname "$base")"
}

# Sets "tarball" to the cached minimal root of the release $1, made first
# where needed. A run that has to wait for another writing it says so, and
# gives up after cache_wait_seconds.
cached_root() {
    local base="$root_cache/$1.tar" status=0
    tarball=
    mkdir -p "$root_cache"
    flock -n "$base.lock" true || echo "Waiting for another run to write $base"
    isolated flock -E 75 -w "$cache_wait_seconds" "$base.lock" bash -c \
        "$(declare -f refresh_cache release_sources); refresh_cache \"\$@\"" \
        refresh "$1" "$base" "$root_max_age" || status=$?
    [ "$status" != 75 ] || echo "Gave up waiting for another run to write $base" >&2
    [ "$status" = 0 ] || { echo "Could not make the $1 root for $base" >&2; return 1; }
    tarball=$base
}

# What the namespace does before it runs a command in the root: unpacks
# the tarball $1 into memory at /mnt (a mount of this namespace alone),
# copies the checkout $2 in as it is, edits to tracked files included, and
# keeps package scripts from starting services; binds the tarball
# read-only at /var/cache/tictactoe-root.tar, whence the package check
# makes its testbeds; mounts a /proc of its own processes (/proc/sys
# read-only unless $3 is "user-namespaces"), /sys read-only, its own
# /dev/pts and /dev/shm, and the machine's name servers; then makes the
# root its /.
enter_root='tarball=$1 checkout=$2 nesting=$3 root=/mnt
shift 3
mount -t tmpfs -o mode=0755 tmpfs "$root"
tar -C "$root" -xf "$tarball"
git clone --quiet --no-hardlinks "$checkout" "$root/src"
git -C "$checkout" diff HEAD --binary | git -C "$root/src" apply --index --allow-empty
printf "#!/bin/sh\nexit 101\n" >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
touch "$root/var/cache/tictactoe-root.tar"
mount --bind -o ro "$tarball" "$root/var/cache/tictactoe-root.tar"
mount -t proc proc "$root/proc"
if [ "$nesting" != user-namespaces ]; then
    mount --bind "$root/proc/sys" "$root/proc/sys"
    mount -o remount,bind,ro "$root/proc/sys"
fi
mount -t sysfs -o ro sysfs "$root/sys"
mkdir -p "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
ln -sf pts/ptmx "$root/dev/ptmx"
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
cat /etc/resolv.conf >"$root/etc/resolv.conf"
echo "127.0.1.1 $(hostname)" >>"$root/etc/hosts"
cd "$root"
pivot_root . mnt
umount -l /mnt
exec "$@"'

# Runs the shell command $2 as root in a fresh root of the release $1, in
# /src, with a clean environment; it stops at the first command that fails.
# The machine's kernel settings (/proc/sys) are read-only there, unless $3
# is "user-namespaces": a user namespace may mount a /proc of its own only
# where the whole of /proc is visible, as sbuild and autopkgtest need.
run_in_root() {
    [[ $1 =~ ^[a-z]+$ ]] || { echo "not a Debian release name: $1" >&2; return 1; }
    [[ $root_max_age =~ ^[0-9]+$ ]] ||
        { echo "TICTACTOE_ROOT_MAX_AGE is not a number of days: $root_max_age" >&2; return 1; }
    [ "$(id -u)" = 0 ] || { echo "a pristine root needs root" >&2; return 1; }
    trap stop_root EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    trap 'exit 129' HUP
    ensure_packages mmdebstrap git
    local tarball
    cached_root "$1"
    isolated /bin/bash -ec "$enter_root" enter "$tarball" "$PWD" "${3:-}" /usr/bin/env -i HOME=/root \
        LANG=C.UTF-8 TERM="${TERM:-dumb}" ${CI:+CI="$CI"} \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -ec "cd /src && $2"
}

# Ends whatever still runs in the root, and with it the root.
stop_root() {
    [ -z "$root_job" ] || kill -KILL "$root_job" 2>/dev/null || true
}
