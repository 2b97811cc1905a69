#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Where the start-up goes, for the game and the bare window alike: each is
# run once under callgrind (instructions, repeatable) and once under strace
# (what is opened, and when), both ended right after the first paint.
#
#   bench/profile.sh [--build-dir DIR]
#
# Prints instructions by stage and a wall-clock timeline; the full profiles
# stay in DIR/profile for callgrind_annotate.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
if [ "${1:-}" = --build-dir ]; then build=$2; fi

. bench/common.sh
require Xvfb cmake valgrind callgrind_annotate strace awk
build_release "$build"
start_xserver
out=$build/profile
mkdir -p "$out"
watch=$build/bench/bench_watch
declare -A program=([tictactoe]=$build/tictactoe [floor]=$build/bench/bench_floor)

for name in tictactoe floor; do
    # A first run fills the caches, as a warm-up does in run.sh.
    "$watch" --idle 0 "${program[$name]}" >/dev/null
    "$watch" --idle 0 --timeout 120000 valgrind --tool=callgrind \
        --callgrind-out-file="$out/$name.callgrind" "${program[$name]}" \
        >/dev/null 2>"$out/$name.valgrind.log"
    callgrind_annotate --inclusive=yes --threshold=100 "$out/$name.callgrind" >"$out/$name.inclusive.txt"
    for run in 1 2 3 4 5; do
        "$watch" --idle 0 strace -f --seccomp-bpf -ttt -e trace=openat,connect,execve \
            -o "$out/$name.strace.$run" "${program[$name]}" >/dev/null
    done
done

# Millions of instructions, inclusive, of a function whose name matches.
instructions() {
    awk -v pattern="$2" '$0 ~ pattern { gsub(",", "", $1); printf "%.1f", $1 / 1e6; found = 1; exit }
        END { if (!found) printf "-" }' "$out/$1.inclusive.txt"
}
echo "Instructions to the first paint, millions (callgrind, inclusive):"
printf "  %-44s %10s %10s\n" "" tictactoe floor
while IFS='|' read -r label pattern; do
    printf "  %-44s %10s %10s\n" "$label" "$(instructions tictactoe "$pattern")" \
        "$(instructions floor "$pattern")"
done <<'EOF'
whole process|PROGRAM TOTALS
loading and linking the libraries|rtld.c:_dl_start 
QApplication, with the platform plugin|QApplication::QApplication\(
  of which loading plugins (dlopen)|dlopen@@
  of which the X connection|QXcbConnection::QXcbConnection\(
font database (fontconfig set-up)|QFontconfigDatabase::populateFontDatabase\(
  of which parsing fontconfig's XML|FcInit 
menu bar made (D-Bus global menu check, icon)|QMenuBar::QMenuBar\(
icons from files (image plugins, PNG)|QIcon::addFile\(
the game window's constructor|frmTicTacToe::frmTicTacToe\(
QWidget::show|QWidget::show\(\)
event loop to the first paint|QApplication::exec\(\)
  of which glyphs (FreeType)|FT_Load_Glyph 
EOF

# Milliseconds from the exec to the first of each kind of opening, the
# median of five runs.
echo
echo "Wall clock from exec (strace, first occurrence, median of 5, ms):"
printf "  %-44s %10s %10s\n" "" tictactoe floor
while IFS='|' read -r label pattern; do
    row=()
    for name in tictactoe floor; do
        row+=("$(for trace in "$out/$name".strace.*; do
            awk -v pattern="$pattern" 'NR == 1 { start = $2 }
                $0 ~ pattern && !/ENOENT/ { printf "%.1f\n", ($2 - start) * 1000; exit }' "$trace"
        done | sort -g | awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : "-" }')")
    done
    printf "  %-44s %10s %10s\n" "$label" "${row[@]}"
done <<'EOF'
last library loaded at start|libgpg-error
platform plugins looked over|plugins/platforms/
connected to the X server|connect\(.*X11-unix
input method plugins|plugins/platforminputcontexts/
image format plugins|plugins/imageformats/
D-Bus session bus looked for|dbus/machine-id
fontconfig starts on its XML|fonts.conf
first font file opened|\.ttf
cursor theme read|icons/.*/cursors/
ended after the first paint|killed by SIGTERM
EOF
echo
echo "Profiles in $out (callgrind_annotate FILE.callgrind)."
