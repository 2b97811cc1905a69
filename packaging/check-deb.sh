#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# check-deb.sh SOURCE_DIR WORK_DIR
#
# Builds the project for release in WORK_DIR, packs the .deb with CPack and
# checks it: lintian finds no error, the control fields and dependencies are
# those of a game needing Qt and Liberation Sans, the files are the installed
# ones (the program in /usr/games) owned by root with the usual modes, and the
# program is stripped.
set -euo pipefail
source=$1 work=$2
id=example.pelko.tictactoe

for tool in cmake cpack dpkg dpkg-deb dpkg-shlibdeps lintian file; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

rm -rf "$work"
mkdir -p "$work"
cmake -S "$source" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; exit 1; }
(cd "$work" && cpack -G DEB --config build/CPackConfig.cmake -B "$work/out") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }

arch=$(dpkg --print-architecture)
deb=$work/out/tictactoe_1.00_$arch.deb
[ -f "$deb" ] || { echo "FAIL: no $deb"; ls "$work/out"; exit 1; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Lintian exits 2 on errors and 1 when it could not check the package at all.
status=0
lintian --no-cfg --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
if grep -q '^E: ' "$work/lintian.log" || [ "$status" -eq 2 ]; then
    fail "lintian reports errors"
elif [ "$status" -ne 0 ]; then
    fail "lintian did not run through (status $status)"
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tictactoe ] || fail "Package is $(field Package)"
[ "$(field Version)" = 1.00 ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section is $(field Section)"
[ "$(field Maintainer)" = "The TicTacToe developers <games@pelko.example>" ] ||
    fail "Maintainer is $(field Maintainer)"
depends=$(field Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in fonts-liberation2 libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package"
done

# Every file and directory is root's, with the modes Debian expects.
dpkg-deb -c "$deb" >"$work/contents"
while read -r mode owner _ _ _ path _; do
    [ "$owner" = root/root ] || fail "$path is owned by $owner"
    case $mode in
    d*) [ "$mode" = drwxr-xr-x ] || fail "$path has mode $mode" ;;
    -*) want=-rw-r--r--
        [ "$path" = ./usr/games/tictactoe ] && want=-rwxr-xr-x
        [ "$mode" = "$want" ] || fail "$path has mode $mode" ;;
    *) fail "$path is neither a file nor a directory" ;;
    esac
done <"$work/contents"

expected=(
    ./usr/games/tictactoe
    ./usr/share/applications/$id.desktop
    ./usr/share/metainfo/$id.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/$id.svg
    ./usr/share/doc/tictactoe/copyright
    ./usr/share/doc/tictactoe/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
    <(awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort) ||
    fail "the packed files differ from the expected ones (- expected, + packed)"

dpkg-deb -x "$deb" "$work/root"
file -b "$work/root/usr/games/tictactoe" | grep -q ', stripped' ||
    fail "the program is not stripped: $(file -b "$work/root/usr/games/tictactoe")"

[ "$failures" -eq 0 ] || exit 1
echo "$deb passes"
