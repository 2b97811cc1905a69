#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# check-deb.sh SOURCE_DIR WORK_DIR PROJECT_VERSION [BUILD_USER]
#
# Builds the Debian source and binary packages from a copy of the git-tracked
# files, and checks them as a Debian maintainer would. With BUILD_USER (in a
# root of its own, scripts/package-in.sh), Debian's tools check it as they
# check an upload: sbuild builds it in unshare mode, run by BUILD_USER, in a
# minimal buildd root that gets only the declared build dependencies; blhc
# reads that build's log for compiler lines without the hardening flags;
# autopkgtest runs the tests in a testbed made from the release's minimal
# root (/var/cache/tictactoe-root.tar) that gets only the tests' declared
# dependencies; piuparts installs, removes and purges the package in
# another such root and fails on what is left behind. Without, a quick
# check on this machine: dpkg-buildpackage builds here, and the tests run
# here against the unpacked package.
# Both times lintian --pedantic finds nothing that is not overridden with a
# reason, and our own checks, which no Debian tool makes, look at what the
# build produced: the version is the project's, Depends, the packed files
# and the metadata are the expected ones, the program is hardened, and a
# second build in another folder gives byte-identical packages.
set -euo pipefail
source=$1 work=$2 version=$3 builder=${4:-}
id=example.pelko.tictactoe

tools=(git dpkg-buildpackage dpkg-parsechangelog dpkg-deb lintian hardening-check)
[ -z "$builder" ] || tools+=(sbuild mmdebstrap autopkgtest piuparts blhc)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
step() { echo "-- $SECONDS s: $*"; }

rm -rf "${work:?}"
src=$work/a/tictactoe-$version
mkdir -p "$work/a" "$work/b"
[ -z "$builder" ] || chown "$builder:" "$work" "$work/a" "$work/b"

# The upstream tarball, and debian/ beside it, both as git tracks them now,
# edits included; never the build folders.
"$source/packaging/orig-tarball.sh" "$work/a" >/dev/null
tar -C "$work/a" -xJf "$work/a/tictactoe_$version.orig.tar.xz"
tree=$(git -C "$source" stash create)
git -C "$source" archive "${tree:-HEAD}" debian | tar -C "$src" -xf -
[ -z "$builder" ] || chown -R "$builder:" "$work/a"
cp -a "$src" "$work/b/"
[ -z "$builder" ] || cp -a "$work/a/tictactoe_$version.orig.tar.xz" "$work/b/"

changelog_version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
[ "${changelog_version%-*}" = "$version" ] ||
    fail "debian/changelog's upstream version is ${changelog_version%-*}, the project's $version"
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)
export DEB_BUILD_OPTIONS
DEB_BUILD_OPTIONS="parallel=$(nproc)"

arch=$(dpkg --print-architecture)
if [ -n "$builder" ]; then
    # The root's own release and mirror, and its acceptance of an expired
    # index where it has one (unstable).
    read -r _ mirror suite _ < <(grep -m 1 '^deb ' /etc/apt/sources.list)
    distribution=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Distribution)
    aptopts=(/etc/apt/apt.conf.d/99mmdebstrap)
    [ -e "${aptopts[0]}" ] || aptopts=()
    step "the minimal buildd root that sbuild builds in"
    mmdebstrap --variant=buildd --format=tar --quiet "${aptopts[@]/#/--aptopt=}" "$suite" \
        "$work/buildd.tar" /etc/apt/sources.list
    build() { # FOLDER [sbuild options]
        local folder=$1
        shift
        (cd "$folder" && runuser -u "$builder" -- dpkg-source -b "tictactoe-$version" >/dev/null &&
            runuser -u "$builder" -- sbuild --chroot-mode=unshare --chroot="$work/buildd.tar" \
                --dist="$distribution" --no-run-lintian --no-run-autopkgtest --no-run-piuparts "$@" ./*.dsc) \
            >"$folder/build.log" 2>&1
    }
else
    build() { # FOLDER [dpkg-buildpackage options]
        local folder=$1
        shift
        (cd "$folder/tictactoe-$version" && dpkg-buildpackage -us -uc "$@") >"$folder/build.log" 2>&1
    }
fi
# The lines of the failed build's log in the folder $1 that say why: sbuild's
# own log where it wrote one.
show_failure() {
    local log=$1/build.log
    ! compgen -G "$1/*.build" >/dev/null || log=$(ls "$1"/*.build | head -n 1)
    { grep -i -E 'error|not found|unmet|unsatisf' "$log" || true; } | head -n 30
    tail -n 25 "$log"
}
step "building the source and binary packages"
build "$work/a" || { show_failure "$work/a"; fail "the package does not build"; exit 1; }
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
    "./usr/share/applications/$id.desktop"
    "./usr/share/metainfo/$id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$id.svg"
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

tests=$(sed -n 's/^Tests: *//p' "$src/debian/tests/control")
[ -n "$tests" ] || fail "debian/tests/control names no test"
if [ -z "$builder" ]; then
    step "autopkgtest"
    # The tests as autopkgtest runs them, from the source tree, but against
    # the unpacked package instead of one installed on this machine, and
    # before the second build loads it. Output on stderr fails a test, as
    # under autopkgtest.
    for t in $tests; do
        mkdir -p "$work/autopkgtest/$t"
        if ! (cd "$src" && TICTACTOE="$root/usr/games/tictactoe" \
            AUTOPKGTEST_TMP="$work/autopkgtest/$t" "debian/tests/$t") 2>"$work/autopkgtest/$t.stderr"
        then
            fail "the autopkgtest $t fails"
        fi
        [ -s "$work/autopkgtest/$t.stderr" ] && fail "the autopkgtest $t writes to stderr"
        cat "$work/autopkgtest/$t.stderr" >&2
    done
fi

# The second build runs while the checks below look at the first one's
# packages, in a process group of its own that a failing check ends with
# it; sbuild builds it in another path than the first.
export -f build
export version builder work distribution
second=(-b)
[ -z "$builder" ] || second=(--build-path=/build/tictactoe-b)
setsid bash -c 'build "$@"' build "$work/b" "${second[@]}" &
second_build=$!
trap 'kill -- -$second_build 2>/dev/null || true' EXIT

if [ -n "$builder" ]; then
    step "blhc"
    blhc --all --debian "$work/a/tictactoe_${changelog_version}_$arch.build" >"$work/blhc.log" ||
        { head -n 20 "$work/blhc.log"; fail "blhc finds compiler lines without the hardening flags"; }

    step "autopkgtest, in a testbed with only the dependencies the tests declare"
    if ! runuser -u "$builder" -- autopkgtest --apt-upgrade "$src" "$deb" -- unshare \
        --tarball /var/cache/tictactoe-root.tar >"$work/autopkgtest.log" 2>&1; then
        tail -n 40 "$work/autopkgtest.log"
        fail "the autopkgtest fails in a testbed with only what debian/tests/control declares"
    fi

    step "piuparts: installed, removed and purged"
    piuparts=(--basetgz=/var/cache/tictactoe-root.tar -d "$suite" -m "$mirror")
    [ ${#aptopts[@]} = 0 ] || piuparts+=(--no-check-valid-until)
    if ! piuparts "${piuparts[@]}" "$deb" >"$work/piuparts.log" 2>&1; then
        grep -E -A 12 '(FAIL|ERROR):' "$work/piuparts.log" | head -n 40
        fail "piuparts fails to install, remove or purge the package cleanly"
    fi
fi

step "lintian --pedantic"
# Every tag fails, down to the pedantic ones; debian/*lintian-overrides say
# why each overridden one stays. A lintian older than the package's Policy
# version judges by rules since changed: the version itself, and the fields
# and debhelper level whose defaults moved on. Those few tags are left to a
# current lintian (scripts/package-in.sh), and shown.
status=0
lintian --no-cfg --display-info --pedantic --fail-on error,warning,info,pedantic \
    "$work/a/tictactoe_${changelog_version}_$arch.changes" "$work"/a/*.dsc >"$work/lintian.log" 2>&1 ||
    status=$?
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
wait "$second_build" || { show_failure "$work/b"; fail "the second build fails"; }
for built in "$work"/a/*.deb; do
    cmp "$built" "$work/b/${built##*/}" || fail "${built##*/} differs between the two builds"
done

step "done"
[ "$failures" -eq 0 ] || exit 1
echo "the packages of tictactoe $changelog_version pass"
