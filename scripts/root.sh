# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: a pristine Debian root of another release, as a new user's
# machine has it, with a copy of this checkout in /src, and commands run in
# it. Needs root.
#
# The host side is make, enter, remove. What runs in the root runs in mount
# and PID namespaces of its own (unshare): what it mounts or starts ends with
# it, even when the run is killed, and it sees and signals no process
# outside. The minimal root that debootstrap makes is kept as a tarball in
# $TICTACTOE_ROOT_CACHE (default /var/cache/tictactoe-roots), made afresh
# when broken or older than $TICTACTOE_ROOT_MAX_AGE days (default 7), and
# unpacked into a folder of the run's own for every run.

. "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

root_cache=${TICTACTOE_ROOT_CACHE:-/var/cache/tictactoe-roots}
root_max_age=${TICTACTOE_ROOT_MAX_AGE:-7}
# A run's root is /var/tmp/tictactoe-root.XXXXXX; beside it, ROOT.owner
# names the run that owns it: its pid and the time it started.
roots_parent=/var/tmp
root=
root_job=

# The mirror this machine installs from.
debian_mirror() {
    local uri
    uri=$(awk '$1 == "URIs:" { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' \
        /etc/apt/sources.list 2>/dev/null)
    echo "${uri:-http://deb.debian.org/debian}"
}

# Runs a command in mount and PID namespaces of its own that end with it,
# and it with this shell: should the run be killed, even with SIGKILL, the
# kernel kills the command, and with it everything it started.
isolated() {
    setpriv --pdeathsig KILL \
        unshare --mount --propagation private --pid --fork --kill-child --mount-proc "$@" &
    root_job=$!
    local status=0
    wait "$root_job" || status=$?
    root_job=
    return "$status"
}

# A process's start time, which tells it from a later one with its pid.
started_at() { awk '{ print $22 }' "/proc/$1/stat" 2>/dev/null; }

# Whether the run that wrote the owner file $1 is still running.
owner_running() {
    local pid start
    read -r pid start <"$1" 2>/dev/null || return 1
    [ -n "$pid" ] && [ "$(started_at "$pid")" = "$start" ]
}

# Removes the root $1 and its owner file. Its namespaces have ended, so
# nothing is mounted in it: should something be, it is left alone.
remove_root_at() {
    local dir=${1:?}
    case $dir in "$roots_parent"/tictactoe-root.?*) ;; *) return 1 ;; esac
    if awk -v dir="$dir" '$2 == dir || index($2, dir "/") == 1 { found = 1 } END { exit !found }' \
        /proc/mounts; then
        echo "still mounted in $dir: left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$dir"
    rm -f "$dir.owner" "$dir.log"
}

# The roots of runs that have ended without removing theirs (killed, or the
# machine stopped): never one whose run is still going.
remove_abandoned_roots() {
    local owner
    for owner in "$roots_parent"/tictactoe-root.?*.owner; do
        [ -e "$owner" ] || continue
        owner_running "$owner" && continue
        echo "Removing ${owner%.owner}, left by a run that has ended"
        remove_root_at "${owner%.owner}" || true
    done
}

# Whether the cached tarball $1 is whole and young enough to use.
cache_usable() {
    local age_minutes=$((root_max_age * 24 * 60))
    if [ -n "$(find "$1" -mmin +"$age_minutes" 2>/dev/null)" ]; then
        echo "The cached root $1 is older than $root_max_age days: making it afresh"
        return 1
    fi
    tar -tf "$1" >/dev/null 2>&1 && return 0
    echo "The cached root $1 is broken: making it again"
    return 1
}

# A new folder for a root, owned by this run, in "root".
new_root_folder() {
    root=$(mktemp -d "$roots_parent/tictactoe-root.XXXXXX")
    echo "$$ $(started_at $$)" >"$root.owner"
}

# Sets "tarball" to the cached root of the release $1, made first where it
# is missing, broken or old. One run writes it at a time, into a file of its
# own, published only once whole.
cached_root() {
    local release=$1 base="$root_cache/$1.tar" lock part
    tarball=
    mkdir -p "$root_cache"
    exec {lock}>"$base.lock"
    flock "$lock"
    # Whatever a writer killed before it published is left over.
    rm -f "$base".??????
    if [ ! -e "$base" ] || ! cache_usable "$base"; then
        echo "Making a minimal $release root with debootstrap"
        new_root_folder
        if ! isolated debootstrap --variant=minbase "$release" "$root" "$(debian_mirror)" \
            >"$root.log" 2>&1; then
            tail -n 20 "$root.log" >&2
            remove_root
            return 1
        fi
        part=$(mktemp "$base.XXXXXX")
        if tar -C "$root" -cf "$part" . && tar -tf "$part" >/dev/null; then
            chmod 644 "$part"
            mv "$part" "$base"
        else
            rm -f "$part"
        fi
        remove_root
    fi
    exec {lock}>&-
    [ -e "$base" ] && tarball=$base
}

# Makes a fresh root of the release $1 and sets "root" to its folder; it
# is removed when the run ends in any way it can see, and by a later run
# when it cannot.
make_root() {
    local release=$1 tarball
    [ "$(id -u)" = 0 ] || { echo "a pristine root needs root" >&2; return 1; }
    trap remove_root EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    trap 'exit 129' HUP
    ensure_packages debootstrap git
    remove_abandoned_roots
    cached_root "$release"
    [ -n "$tarball" ] || return 1

    new_root_folder
    tar -C "$root" -xf "$tarball"
    chmod 755 "$root" # apt fetches as the user _apt, which mktemp's 0700 keeps out

    # The checkout as it is, edits to tracked files included.
    git clone --quiet --no-hardlinks "$PWD" "$root/src"
    git diff HEAD --binary | git -C "$root/src" apply --index --allow-empty
}

# What the namespace sets up before it enters the root ($1): a /proc of its
# own processes, /sys, its own /dev/pts and /dev/shm, and the machine's name
# servers; all of it goes with the namespace. The machine's /dev is never
# bound in.
enter_root='root=$1
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mkdir -p "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
ln -sf pts/ptmx "$root/dev/ptmx"
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
chroot "$root" /bin/sh -c "cat >/etc/resolv.conf" </etc/resolv.conf
shift
exec chroot "$root" "$@"'

# Runs a shell command in the root as root, in /src, with a clean
# environment.
in_root() {
    isolated /bin/bash -ec "$enter_root" enter "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
        TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        ${CI:+CI="$CI"} /bin/bash -c "cd /src && $1"
}

# Ends whatever still runs in the root and removes it.
remove_root() {
    [ -z "$root_job" ] || kill -KILL "$root_job" 2>/dev/null || true
    [ -z "$root_job" ] || wait "$root_job" 2>/dev/null || true
    [ -n "$root" ] || return 0
    remove_root_at "$root" || true
    root=
}
