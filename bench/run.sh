#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Measures the game against a bare Qt window of the same shape: time from
# exec to the main window mapped and painted, and resident memory after a
# second of idling, both started in turn in a private X server without a
# window manager; then the response to a player's actions, in the process.
#
#   bench/run.sh [--runs N] [--warmups N] [--iterations N] [--build-dir DIR] [--gnome]
#
# With --gnome both start as on a GNOME desktop, in a session bus of their
# own, where the game reads GNOME's settings (High Contrast on).
#
# Builds a Release tree first (build-bench unless told otherwise). Given all
# four programs with --game, --floor, --watch and --inprocess it builds
# nothing and measures those instead, as the smoke test does.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=9 warmups=2 iterations=200 build=build-bench gnome=
game= floor= watch= inprocess=
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2 ;;
    --warmups) warmups=$2 ;;
    --iterations) iterations=$2 ;;
    --build-dir) build=$2 ;;
    --game) game=$2 ;;
    --floor) floor=$2 ;;
    --watch) watch=$2 ;;
    --inprocess) inprocess=$2 ;;
    --gnome) gnome=1 && shift && continue ;;
    *)
        echo "usage: $0 [--runs N] [--warmups N] [--iterations N] [--build-dir DIR] [--gnome]" >&2
        exit 2
        ;;
    esac
    shift 2
done

. bench/common.sh
require Xvfb cmake awk sort sed

if [ -z "$game" ] || [ -z "$floor" ] || [ -z "$watch" ] || [ -z "$inprocess" ]; then
    build_release "$build"
    game=$build/tictactoe floor=$build/bench/bench_floor
    watch=$build/bench/bench_watch inprocess=$build/bench/bench_inprocess
fi
for program in "$game" "$floor" "$watch" "$inprocess"; do
    [ -x "$program" ] || fail "$program is missing"
done

start_xserver
[ -z "$gnome" ] || start_gnome_settings
echo "Start-up in Xvfb without a window manager: $runs runs after $warmups warm-ups, in turn"
for ((i = 1; i <= warmups + runs; i++)); do
    for name in game floor; do
        line=$("$watch" --idle 1000 "${!name}") || fail "measuring $name failed"
        if ((i > warmups)); then
            echo "$name $line" >>"$work/startup"
        fi
    done
done

# "median min max" of one figure of one program.
stats() {
    sed -n "s/^$1 .*$2=\([0-9.]*\).*/\1/p" "$work/startup" | sort -g |
        awk '{ v[NR] = $1 } END {
            if (NR == 0) exit 1
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%s %s %s\n", m, v[1], v[NR] }'
}
declare -A figure
for name in game floor; do
    for field in mapped_ms painted_ms rss_kib; do
        figure[$name.$field]=$(stats "$name" "$field") || fail "no $field for $name"
    done
done

awk -v gm="${figure[game.mapped_ms]}" -v gp="${figure[game.painted_ms]}" \
    -v gr="${figure[game.rss_kib]}" -v fm="${figure[floor.mapped_ms]}" \
    -v fp="${figure[floor.painted_ms]}" -v fr="${figure[floor.rss_kib]}" 'BEGIN {
    split(gm, a); split(gp, b); split(gr, c); split(fm, d); split(fp, e); split(fr, f)
    printf "  %-16s %-27s %-27s %s\n", "", "mapped ms", "painted ms", "RSS MiB"
    printf "  %-16s %8s %8s %8s  %8s %8s %8s  %8s\n", "", "median", "min", "max",
        "median", "min", "max", "median"
    row = "  %-16s %8.1f %8.1f %8.1f  %8.1f %8.1f %8.1f  %8.1f\n"
    printf row, "tictactoe", a[1], a[2], a[3], b[1], b[2], b[3], c[1] / 1024
    printf row, "floor (bare Qt)", d[1], d[2], d[3], e[1], e[2], e[3], f[1] / 1024
    printf "  %-16s %8.2f %17s  %8.2f %17s  %8.2f\n", "ours / floor", a[1] / d[1], "",
        b[1] / e[1], "", c[1] / f[1]
}'

echo
QT_QPA_PLATFORM=offscreen "$inprocess" --iterations "$iterations" | tee "$work/inprocess" ||
    fail "the in-process benchmark failed"
[ "$(grep -c ' median ' "$work/inprocess")" -ge 3 ] || fail "the in-process benchmark printed no figures"
