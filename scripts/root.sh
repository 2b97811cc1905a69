# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: a pristine Debian root of another release, as a new user's
# machine has it, with a copy of this checkout in /src, and commands run in
# it. Needs root.
#
# The host side is make, enter, remove. What runs in the root runs in mount,
# PID, UTS and IPC namespaces of its own (unshare): what it mounts or starts
# ends with it, even when the run is killed; its host name, shared memory
# and semaphores are its own; /sys and /proc/sys are read-only; no service
# starts. The minimal root that mmdebstrap makes is kept as a tarball in
# $TICTACTOE_ROOT_CACHE (default /var/cache/tictactoe-roots) with its
# checksum beside it, and made afresh when it does not match or is older
# than $TICTACTOE_ROOT_MAX_AGE days (default 7). Each run unpacks it into a
# folder of its own in $TICTACTOE_ROOTS (default /var/tmp/tictactoe-roots,
# root's alone) and holds a lock on that folder for as long as anything it
# started runs.

. "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

root_cache=${TICTACTOE_ROOT_CACHE:-/var/cache/tictactoe-roots}
root_max_age=${TICTACTOE_ROOT_MAX_AGE:-7}
roots_home=${TICTACTOE_ROOTS:-/var/tmp/tictactoe-roots}
# How long a run waits for another that is writing the cached root: making
# one takes a minute or two.
cache_wait_seconds=900
# The run's root folder ROOTS/root.XXXXXX, with ROOT.lock (held by this run
# and everything it starts) and ROOT.log beside it.
root=
root_lock=
root_job=

# The mirror this machine installs from.
debian_mirror() {
    local uri
    uri=$(awk '$1 == "URIs:" { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' \
        /etc/apt/sources.list 2>/dev/null)
    echo "${uri:-http://deb.debian.org/debian}"
}

# Runs a command in mount, PID, UTS and IPC namespaces of its own that end
# with it, and it with this shell: should the run be killed, even with
# SIGKILL, the kernel kills the command, and with it everything it started.
# It reads nothing from this run's input.
isolated() {
    setpriv --pdeathsig KILL unshare --mount --propagation private --pid --fork --kill-child \
        --mount-proc --uts --ipc "$@" </dev/null &
    root_job=$!
    local status=0
    wait "$root_job" || status=$?
    root_job=
    return "$status"
}

# Takes the lock on file descriptor $2 within $1 seconds, saying what it
# waits for ($3) when it has to; in the background, so that a signal's trap
# runs at once and ends the wait. The lock stays with the descriptor.
take_lock() {
    flock -n "$2" && return 0
    echo "Waiting for $3 (at most $(($1 / 60)) min)"
    flock -w "$1" "$2" &
    root_job=$!
    local status=0
    wait "$root_job" || status=$?
    root_job=
    [ "$status" = 0 ] || { echo "Gave up waiting for $3" >&2; return 1; }
}

# The folder of every run's root, which only root may enter.
prepare_roots_home() {
    mkdir -p "$roots_home"
    if [ -L "$roots_home" ] || [ ! -d "$roots_home" ] || [ ! -O "$roots_home" ]; then
        echo "$roots_home is not a folder of root's own" >&2
        return 1
    fi
    chmod 0700 "$roots_home"
}

# Runs a command while no other run makes or sweeps a root.
with_roots_locked() {
    local guard
    exec {guard}>"$roots_home/lock"
    flock "$guard"
    "$@"
    exec {guard}>&-
}

# A new root folder, in "root", and its lock, held on "root_lock": the lock
# file comes first, so that a folder without one is never a live run's.
new_root_folder() {
    local lock_file
    lock_file=$(mktemp --suffix=.lock "$roots_home/root.XXXXXX")
    exec {root_lock}>>"$lock_file"
    flock -n "$root_lock"
    root=${lock_file%.lock}
    mkdir -m 0755 "$root" # apt in the root fetches as the user _apt
}

# Removes the root folder $1 once its lock can be taken within $2 seconds,
# that is once nothing its run started is left; its lock file goes only
# with it, so that a root that could not be removed is found again.
remove_root_at() {
    local dir=${1:?} lock status=0
    exec {lock}>>"$dir.lock"
    if flock -w "${2:-0}" "$lock"; then
        rm -rf --one-file-system "$dir" || status=$?
        [ -e "$dir" ] || rm -f "$dir.lock" "$dir.log"
    else
        status=1
    fi
    exec {lock}>&-
    return "$status"
}

# Removes the roots of runs that have ended without removing theirs
# (killed, the machine stopped, a removal that failed), and folders that
# never got an owner; never one whose run, or anything it started, is still
# going.
remove_abandoned_roots() {
    local path dir
    local -A found=()
    for path in "$roots_home"/root.??????{,.lock}; do
        [ -e "$path" ] && found[${path%.lock}]=1
    done
    for dir in "${!found[@]}"; do
        if [ -d "$dir" ] && [ ! -e "$dir.lock" ]; then
            echo "Removing $dir, which has no owner"
            rm -rf --one-file-system "$dir" || true
        elif remove_root_at "$dir"; then
            echo "Removed $dir, left by a run that has ended"
        fi
    done
}

# Whether the cached tarball $1 matches the checksum written with it and is
# young enough to use.
cache_usable() {
    local age_minutes=$((root_max_age * 24 * 60)) sum
    if [ -n "$(find "$1" -mmin +"$age_minutes" 2>/dev/null)" ]; then
        echo "The cached root $1 is older than $root_max_age days: making it afresh"
        return 1
    fi
    sum=$(sha256sum <"$1" 2>/dev/null) && [ "${sum%% *}" = "$(cat "$1.sha256" 2>/dev/null)" ] &&
        return 0
    echo "The cached root $1 does not match its checksum: making it again"
    return 1
}

# Writes a minimal root of the release $1 as the tarball $2. The temporary
# root that mmdebstrap builds it in lies in this run's folder. Unstable's
# index may be past its Valid-Until date while the mirror waits for the
# next push.
make_minimal_root() {
    echo "Making a minimal $1 root with mmdebstrap"
    TMPDIR=$root isolated mmdebstrap --variant=minbase --format=tar --quiet \
        --aptopt='Acquire::Check-Valid-Until "false"' "$1" "$2" "$(debian_mirror)" \
        >"$root.log" 2>&1 || { tail -n 20 "$root.log" >&2; return 1; }
}

# Publishes the tarball $1 as $2, on disk before it is named, with its
# checksum beside it: a tarball cut short by a crash does not match.
publish_cache() {
    local sum
    sum=$(sha256sum <"$1") && chmod 644 "$1" && sync "$1" && mv "$1" "$2" &&
        echo "${sum%% *}" >"$2.part.sum" && sync "$2.part.sum" && mv "$2.part.sum" "$2.sha256" &&
        sync "$(dirname "$2")"
}

# Sets "tarball" to the cached root of the release $1, made first where it
# is missing, does not match its checksum or is old. One run writes it at
# a time, into a file of its own, published only once whole.
cached_root() {
    local release=$1 base="$root_cache/$1.tar" lock part
    tarball=
    mkdir -p "$root_cache"
    exec {lock}>"$base.lock"
    take_lock "$cache_wait_seconds" "$lock" "another run to finish writing $base" || return 1
    # Whatever a writer killed before it published is left over.
    rm -f "$base".part.*
    if [ ! -e "$base" ] || ! cache_usable "$base"; then
        part=$(mktemp "$base.part.XXXXXX")
        if ! make_minimal_root "$release" "$part" || ! publish_cache "$part" "$base"; then
            rm -f "$part"
            echo "Could not make the $release root for $base" >&2
            return 1
        fi
    fi
    exec {lock}>&-
    tarball=$base
}

# Makes a fresh root of the release $1 and sets "root" to its folder; it
# is removed when the run ends in any way it can see, and by a later run
# when it cannot.
make_root() {
    local release=$1 tarball
    [[ $release =~ ^[a-z]+$ ]] || { echo "not a Debian release name: $release" >&2; return 1; }
    [[ $root_max_age =~ ^[0-9]+$ ]] ||
        { echo "TICTACTOE_ROOT_MAX_AGE is not a number of days: $root_max_age" >&2; return 1; }
    [ "$(id -u)" = 0 ] || { echo "a pristine root needs root" >&2; return 1; }
    trap remove_root EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    trap 'exit 129' HUP
    ensure_packages mmdebstrap git
    prepare_roots_home
    with_roots_locked remove_abandoned_roots
    with_roots_locked new_root_folder
    cached_root "$release"

    tar -C "$root" -xf "$tarball"
    # Package scripts start no service in the root.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    # The checkout as it is, edits to tracked files included.
    git clone --quiet --no-hardlinks "$PWD" "$root/src"
    git diff HEAD --binary | git -C "$root/src" apply --index --allow-empty
}

# What the namespace sets up before it enters the root ($1): the root as a
# mount of its own (so that a namespace can be made inside it too), a /proc
# of its own processes with /proc/sys read-only, /sys read-only, its own
# /dev/pts and /dev/shm, and the machine's name servers; all of it goes
# with the namespace. The machine's /dev is never bound in.
enter_root='root=$1
mount --bind "$root" "$root"
mount -t proc proc "$root/proc"
mount --bind "$root/proc/sys" "$root/proc/sys"
mount -o remount,bind,ro "$root/proc/sys"
mount -t sysfs -o ro sysfs "$root/sys"
mkdir -p "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
ln -sf pts/ptmx "$root/dev/ptmx"
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
chroot "$root" /bin/sh -c "cat >/etc/resolv.conf" </etc/resolv.conf
shift
exec chroot "$root" "$@"'

# Runs a shell command in the root as root, in /src, with a clean
# environment; it stops at the first command that fails.
in_root() {
    isolated /bin/bash -ec "$enter_root" enter "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
        TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        ${CI:+CI="$CI"} /bin/bash -ec "cd /src && $1"
}

# Ends whatever still runs in the root and removes it, once everything the
# run started has let go of its lock.
remove_root() {
    [ -z "$root_job" ] || kill -KILL "$root_job" 2>/dev/null || true
    [ -z "$root_job" ] || wait "$root_job" 2>/dev/null || true
    [ -n "$root" ] || return 0
    exec {root_lock}>&-
    remove_root_at "$root" 60 || echo "Could not remove $root: the next run will" >&2
    root=
}
