#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The pristine roots' bookkeeping, without making a root: which roots the
# sweep removes, and which cached tarballs are used, with a roots folder
# and a cache of the test's own. Needs root, and mounts in a mount namespace
# of its own.
#
#   roots.sh WORKDIR
set -euo pipefail

[ "$(id -u)" = 0 ] || { echo "needs root: skipped"; exit 77; }
[ -n "${ROOTS_TEST_NAMESPACE:-}" ] ||
    exec env ROOTS_TEST_NAMESPACE=1 unshare --mount --propagation private "$0" "$@"
work=${1:?}
rm -rf "${work:?}"
mkdir -p "$work/files"
export TICTACTOE_ROOTS="$work/roots" TICTACTOE_ROOT_CACHE="$work/cache"
. "$(dirname "$0")/../scripts/root.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
sweep() { with_roots_locked remove_abandoned_roots; }
prepare_roots_home

echo "-- a run's root stays while anything it started runs, and goes after"
(
    with_roots_locked new_root_folder
    echo "$root" >"$work/ended"
    sleep 60 &
    echo $! >"$work/orphan"
)
ended=$(cat "$work/ended")
sweep
[ -d "$ended" ] || fail "the root of a run whose child still runs was swept"
kill "$(cat "$work/orphan")"
while kill -0 "$(cat "$work/orphan")" 2>/dev/null; do sleep 0.05; done
sweep
[ ! -e "$ended" ] && [ ! -e "$ended.lock" ] || fail "an ended run's root was left"

echo "-- a folder without an owner goes; one whose removal failed is found again"
mkdir "$roots_home/root.nolock"
with_roots_locked new_root_folder
stuck=$root
exec {root_lock}>&-
mkdir "$stuck/busy"
mount -t tmpfs tmpfs "$stuck/busy"
sweep
[ ! -e "$roots_home/root.nolock" ] || fail "a folder without an owner was left"
[ -d "$stuck" ] && [ -e "$stuck.lock" ] || fail "a root that could not be removed was forgotten"
umount "$stuck/busy"
sweep
[ ! -e "$stuck" ] || fail "a root whose removal failed was not removed by the next sweep"

echo "-- a cached root is used only as it was written"
for i in 1 2 3 4; do head -c 3000 /dev/urandom >"$work/files/$i"; done
base="$root_cache/test.tar"
mkdir -p "$root_cache"
tar -C "$work/files" -cf "$work/part" .
publish_cache "$work/part" "$base"
cache_usable "$base" >/dev/null || fail "a whole tarball was refused"
cp "$base" "$work/whole"
truncate -s 4096 "$base" # where the folder's first file ends
! cache_usable "$base" >/dev/null || fail "a tarball cut at a member's end was used"
cp "$work/whole" "$base"
blocks=$(($(stat -c %s "$base") / 512))
dd if=/dev/zero of="$base" bs=512 seek=$((blocks / 2)) count=$((blocks - blocks / 2)) conv=notrunc \
    status=none
! cache_usable "$base" >/dev/null || fail "a tarball with a zero tail was used"
cp "$work/whole" "$base"
touch -d "8 days ago" "$base"
! cache_usable "$base" >/dev/null || fail "a tarball older than a week was used"

echo "-- a whole cached root is used; a failed rebuild fails the run"
make_minimal_root() { return 1; }
cp "$work/whole" "$base"
cached_root test || fail "a whole cached root was not used"
rm "$base"
if cached_root test 2>"$work/err"; then fail "cached_root said $tarball after a failed rebuild"; fi
grep -qx "Could not make the test root for $base" "$work/err" || fail "said: $(cat "$work/err")"
echo "-- passed"
