#!/usr/bin/env bash
# cpack -G DEB, then the package unpacked into a scratch root: its dependencies were computed, and
# the game started from another folder finds its data inside that root.
#   package_test.sh BUILD_DIR    (RENJU_BINDIR, RENJU_DATADIR: the install folders)
set -euo pipefail
source "$(dirname "$0")/check_installed.sh"
build=$1
need dpkg-shlibdeps dpkg-dev dpkg-deb dpkg

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tmp=$(realpath "$tmp")
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$tmp/cpack.log")"
debs=("$tmp"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -s "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/ ([^)]*)//g; s/, */\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$lib" <<<"$names" || fail "Depends lacks $lib: $depends"
done

# Read whole first: under pipefail, grep -q ending early can fail the pipe by SIGPIPE.
description=$(dpkg-deb -f "$deb" Description)
grep -q "nine levels" <<<"$description" || fail "the package description does not count nine levels"

# Debian's own checks of a package, where lintian is installed: no error and no warning.
if command -v lintian >/dev/null; then
    report=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $report"
    report=$(grep -v 'running with root privileges' <<<"$report" || true)
    echo "lintian: no error, no warning${report:+; notes: $report}"
else
    echo "lintian is not installed (scripts/setup installs it): the package's own checks were not run"
fi

dpkg -x "$deb" "$tmp/root"
check_game "$tmp/root/usr"
echo "$(basename "$deb"): Depends: $depends"
