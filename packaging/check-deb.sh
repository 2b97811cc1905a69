#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# check-deb.sh SOURCE_DIR WORK_DIR PROJECT_VERSION
#
# Builds the Debian source and binary packages with dpkg-buildpackage from a
# copy of the git-tracked files, and checks them as a Debian maintainer
# would: the version is the project's, lintian --pedantic finds nothing that
# is not overridden with a reason, the program is hardened, the autopkgtest
# plays the packaged program, and a second build in another folder gives
# byte-identical packages.
set -euo pipefail
source=$1 work=$2 version=$3
id=example.pelko.tictactoe

for tool in git dpkg-buildpackage dpkg-parsechangelog dpkg-deb lintian hardening-check; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
step() { echo "-- $SECONDS s: $*"; }

rm -rf "${work:?}"
src=$work/a/tictactoe-$version
mkdir -p "$work/a" "$work/b"

# The upstream tarball, and debian/ beside it, both as git tracks them now,
# edits included; never the build folders.
"$source/packaging/orig-tarball.sh" "$work/a" >/dev/null
tar -C "$work/a" -xJf "$work/a/tictactoe_$version.orig.tar.xz"
tree=$(git -C "$source" stash create)
git -C "$source" archive "${tree:-HEAD}" debian | tar -C "$src" -xf -
cp -a "$src" "$work/b/"

changelog_version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
[ "${changelog_version%-*}" = "$version" ] ||
    fail "debian/changelog's upstream version is ${changelog_version%-*}, the project's $version"
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)
export DEB_BUILD_OPTIONS="parallel=$(nproc)"

build() { # FOLDER [dpkg-buildpackage options]
    local folder=$1
    shift
    (cd "$folder/tictactoe-$version" && dpkg-buildpackage -us -uc "$@") >"$folder/build.log" 2>&1
}
step "building the source and binary packages"
build "$work/a" || { cat "$work/a/build.log"; exit 1; }
arch=$(dpkg --print-architecture)
deb=$work/a/tictactoe_${changelog_version}_$arch.deb
[ -f "$deb" ] || { ls "$work/a"; fail "no $deb"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$changelog_version" ] || fail "the package's version is $(field Version)"
depends=$(field Depends)
echo "Depends: $depends"
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
# Since Debian 13 some libraries carry "t64" in their package's name.
for package in fonts-liberation2 libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qx "${package}\(t64\)\?" <<<"$names" || fail "Depends lacks $package"
done

expected=(
    ./usr/games/tictactoe
    ./usr/share/man/man6/tictactoe.6.gz
    ./usr/share/applications/$id.desktop
    ./usr/share/metainfo/$id.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/$id.svg
    ./usr/share/doc/tictactoe/copyright
    ./usr/share/doc/tictactoe/changelog.gz
    ./usr/share/doc/tictactoe/changelog.Debian.gz
    ./usr/share/lintian/overrides/tictactoe
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
    <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort) ||
    fail "the packed files differ from the expected ones (- expected, + packed)"

root=$work/root
dpkg-deb -x "$deb" "$root"
release=$(grep -o '<release version="[^"]*"' "$root/usr/share/metainfo/$id.metainfo.xml" | head -n 1)
[ "$release" = "<release version=\"$version\"" ] ||
    fail "the metadata's latest release is $release, the project's version $version"

step "autopkgtest"
# The tests as autopkgtest runs them, from the source tree, but against the
# unpacked package instead of one installed on this machine, and before the
# second build loads it. Output on stderr fails a test, as under autopkgtest.
tests=$(sed -n 's/^Tests: *//p' "$src/debian/tests/control")
[ -n "$tests" ] || fail "debian/tests/control names no test"
for t in $tests; do
    mkdir -p "$work/autopkgtest/$t"
    if ! (cd "$src" && TICTACTOE="$root/usr/games/tictactoe" AUTOPKGTEST_TMP="$work/autopkgtest/$t" \
        "debian/tests/$t") 2>"$work/autopkgtest/$t.stderr"; then
        fail "the autopkgtest $t fails"
    fi
    [ -s "$work/autopkgtest/$t.stderr" ] && fail "the autopkgtest $t writes to stderr"
    cat "$work/autopkgtest/$t.stderr" >&2
done

# The second build runs while lintian checks the first one's packages, in a
# process group of its own that a failing check ends with it.
export -f build
export version
setsid bash -c 'build "$0" -b' "$work/b" &
second_build=$!
trap 'kill -- -$second_build 2>/dev/null || true' EXIT

step "lintian --pedantic"
# Every tag fails, down to the pedantic ones; debian/*lintian-overrides say
# why each overridden one stays. A lintian older than the package's Policy
# version judges by rules since changed: the version itself, and the fields
# and debhelper level whose defaults moved on. Those few tags are left to a
# current lintian (scripts/package-in.sh), and shown.
status=0
lintian --no-cfg --display-info --pedantic --fail-on error,warning,info,pedantic \
    "$work/a/tictactoe_${changelog_version}_$arch.changes" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
tags=$(grep '^[EWIPX]: ' "$work/lintian.log" || true)
standards=$(sed -n 's/^Standards-Version: *//p' "$src/debian/control")
if ! grep -qF "\"version\" : \"$standards" /usr/share/lintian/data/debian-policy/releases.json; then
    older=': (newer-standards-version|silent-on-rules-requiring-root|recommended-field .*Priority'
    older+='|unused-override package-uses-old-debhelper-compat-version)'
    echo "$(lintian --version) predates Policy $standards: not failing on these"
    grep -E "$older" <<<"$tags" || true
    tags=$(grep -v -E "$older" <<<"$tags" || true)
fi
# Status 2 is lintian's for tags found, which are judged above.
[[ "$status" = [02] && -z "$tags" ]] || fail "lintian reports tags (status $status)"

step "hardening-check"
# No program of Debian 12 or 13, /usr/bin/ls included, carries the note of
# control-flow or branch protection: the C start-up files have none. Every
# other check must pass.
unmarked=(--nocfprotection)
if grep -q -- --nobranchprotection < <(hardening-check --help 2>&1); then
    unmarked+=(--nobranchprotection)
fi
hardening-check "${unmarked[@]}" "$root/usr/games/tictactoe" || fail "the program is not hardened"

step "the second build, in another folder"
wait "$second_build" || { cat "$work/b/build.log"; fail "the second build fails"; }
for built in "$work"/a/*.deb; do
    cmp "$built" "$work/b/${built##*/}" || fail "${built##*/} differs between the two builds"
done

step "done"
[ "$failures" -eq 0 ] || exit 1
echo "the packages of tictactoe $changelog_version pass"
