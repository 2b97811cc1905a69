# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: a pristine Debian root of another release, as a new user's
# machine has it, with a copy of this checkout in /src, and commands run in
# it. Needs root. The minimal root that debootstrap makes is kept as a
# tarball in $TICTACTOE_ROOT_CACHE (default /var/cache/tictactoe-roots) and
# unpacked afresh for every run.

. "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

root_cache=${TICTACTOE_ROOT_CACHE:-/var/cache/tictactoe-roots}
root=

# The mirror this machine installs from.
debian_mirror() {
    local uri
    uri=$(awk '$1 == "URIs:" { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' \
        /etc/apt/sources.list 2>/dev/null)
    echo "${uri:-http://deb.debian.org/debian}"
}

# Makes a fresh root of the release $1 and sets "root" to its folder. What
# runs in it sees its own /proc, /sys, /dev/pts and /dev/shm; the machine's
# /dev is never bound into it, so removing the root cannot reach the host.
make_root() {
    local release=$1 base="$root_cache/$1.tar"
    [ "$(id -u)" = 0 ] || { echo "a pristine root needs root" >&2; return 1; }
    ensure_packages debootstrap git
    if [ ! -s "$base" ]; then
        echo "Making a minimal $release root with debootstrap"
        local fresh
        fresh=$(mktemp -d /var/tmp/tictactoe-debootstrap.XXXXXX)
        debootstrap --variant=minbase "$release" "$fresh" "$(debian_mirror)" >"$fresh.log" 2>&1 ||
            { tail -n 20 "$fresh.log" >&2; rm -rf --one-file-system "$fresh"; return 1; }
        mkdir -p "$root_cache"
        tar -C "$fresh" -cf "$base.part" . && mv "$base.part" "$base"
        rm -rf --one-file-system "$fresh" "$fresh.log"
    fi
    root=$(mktemp -d "/var/tmp/tictactoe-$release.XXXXXX")
    trap remove_root EXIT
    tar -C "$root" -xf "$base"
    chmod 755 "$root" # apt fetches as the user _apt, which mktemp's 0700 keeps out
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mkdir -p "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
    ln -sf pts/ptmx "$root/dev/ptmx"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"

    # The checkout as it is, edits to tracked files included.
    git clone --quiet --no-hardlinks "$PWD" "$root/src"
    git diff HEAD --binary | git -C "$root/src" apply --index --allow-empty
}

# Runs a shell command in the root as root, in /src, with a clean
# environment.
in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        ${CI:+CI="$CI"} /bin/bash -c "cd /src && $1"
}

# Ends whatever still runs in the root, unmounts it and removes it.
remove_root() {
    [ -n "$root" ] && [ -d "$root" ] || return 0
    local pid pids=()
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && pids+=("${pid#/proc/}")
    done
    [ ${#pids[@]} -eq 0 ] || kill -KILL "${pids[@]}" 2>/dev/null || true
    local mount
    for mount in dev/shm dev/pts sys proc; do
        umount "$root/$mount" 2>/dev/null || umount -l "$root/$mount" 2>/dev/null || true
    done
    if grep -qF " $root/" /proc/mounts; then
        echo "still mounted in $root: left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
    root=
}
