#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The pristine roots' bookkeeping, without making a root, with a cache of
# the test's own and a stand-in for mmdebstrap: which cached tarball is
# used, and that nothing a killed run started outlives it. Needs root.
#
#   roots.sh WORKDIR
set -euo pipefail

[ "$(id -u)" = 0 ] || { echo "needs root: skipped"; exit 77; }
work=${1:?}
rm -rf "${work:?}"
mkdir -p "$work/bin"
export TICTACTOE_ROOT_CACHE="$work/cache"
. "$(dirname "$0")/../scripts/root.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
base=$root_cache/test.tar
# Writes "made" as the tarball, or fails when told to.
cat >"$work/bin/mmdebstrap" <<'STANDIN'
#!/bin/sh
[ ! -e "${0%/bin/*}/broken" ] || { echo "E: the mirror is gone"; exit 1; }
for arg; do case $arg in *.part.*) echo made >"$arg" ;; esac; done
STANDIN
chmod +x "$work/bin/mmdebstrap"
PATH=$work/bin:$PATH
cached() { cached_root test >/dev/null && [ "$(cat "$tarball")" = "$1" ]; }

echo "-- a missing or old cached root is made, a young one used"
cached made || fail "a missing root was not made"
echo young >"$base"
cached young || fail "a young root was made again"
touch -d "8 days ago" "$base"
touch "$base.part.left"
cached made || fail "a root older than a week was used"
[ ! -e "$base.part.left" ] || fail "what a killed writer left was kept"

echo "-- a failed rebuild fails the run and leaves nothing"
touch "$work/broken"
rm "$base"
if cached_root test 2>"$work/err"; then fail "cached_root said $tarball after a failed rebuild"; fi
grep -qx "Could not make the test root for $base" "$work/err" || fail "said: $(cat "$work/err")"
grep -q "E: the mirror is gone" "$work/err" || fail "the maker's words were not shown"
[ -z "$(find "$root_cache" -name 'test.tar*' ! -name '*.lock')" ] || fail "a failed rebuild left a file"

echo "-- a run killed with SIGKILL leaves no process and no mount"
(isolated bash -c 'mount -t tmpfs tmpfs /mnt && touch /mnt/root-test && exec sleep 3017') &
run=$!
for _ in $(seq 100); do pgrep -f '^sleep 3017$' >/dev/null && break; sleep 0.1; done
pgrep -f '^sleep 3017$' >/dev/null || fail "the isolated command never started"
[ ! -e /mnt/root-test ] || fail "a mount of the namespace is seen outside it"
kill -KILL "$run"
wait "$run" 2>/dev/null || true
for _ in $(seq 100); do pgrep -f '^sleep 3017$' >/dev/null || break; sleep 0.1; done
! pgrep -f '^sleep 3017$' >/dev/null || fail "a command of a killed run outlives it"
echo "-- passed"
