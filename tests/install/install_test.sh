#!/usr/bin/env bash
# cmake --install into a temporary prefix, then what a user gets: every file in its place, a valid
# desktop entry, metainfo and manual pages, and a game that finds its data there.
#   install_test.sh BUILD_DIR    (RENJU_BINDIR, RENJU_DATADIR, RENJU_MANDIR: the install folders)
set -euo pipefail
source "$(dirname "$0")/check_installed.sh"
build=$1
need desktop-file-validate desktop-file-utils appstreamcli appstream groff groff-base

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$(realpath "$tmp")/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/$RENJU_DATADIR
for f in "$RENJU_BINDIR"/{renju,pbrain-renju,renju-match} "$RENJU_DATADIR"/renju/{black.dat,white.dat,zelmar.hlp,renju_en.qm,renju_zh_TW.qm} \
    "$RENJU_DATADIR"/applications/renju.desktop "$RENJU_DATADIR"/metainfo/renju.metainfo.xml \
    "$RENJU_MANDIR"/man6/{renju,pbrain-renju,renju-match}.6.gz "$RENJU_DATADIR"/doc/renju/{copyright,changelog.gz}; do
    [ -s "$prefix/$f" ] || fail "$f was not installed"
done
for f in renju pbrain-renju renju-match; do
    [ -x "$prefix/$RENJU_BINDIR/$f" ] || fail "$f is not executable"
done
cmp "$build/black.dat" "$share/renju/black.dat" || fail "black.dat differs from the build's"

# One PNG per size, of that size: width and height are bytes 16..23 of the file.
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/renju.png
    [ -s "$icon" ] || fail "no ${size} pixel icon"
    read -r -a dims <<<"$(od -An -tu1 -j16 -N8 "$icon")"
    [ "$(( (dims[2] << 8) + dims[3] ))x$(( (dims[6] << 8) + dims[7] ))" = "${size}x${size}" ] ||
        fail "the ${size} pixel icon is ${dims[*]}"
done

desktop-file-validate "$share/applications/renju.desktop" || fail "desktop entry"
grep -qx 'Categories=Game;BoardGame;' "$share/applications/renju.desktop" || fail "desktop categories"
# The project has no domain of its own yet, so its id cannot be a reverse domain name.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$share/metainfo/renju.metainfo.xml" ||
    fail "metainfo"
for page in "$prefix/$RENJU_MANDIR"/man6/*.6.gz; do
    warnings=$(gzip -dc "$page" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

# The texts count the levels that Setup offers, the tournament player among them.
grep -q "nine levels" "$share/metainfo/renju.metainfo.xml" || fail "the metainfo does not count nine levels"
man=$(gzip -dc "$prefix/$RENJU_MANDIR/man6/renju.6.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -P-cbou 2>/dev/null | tr -s ' \n' '  ')
grep -q "nine levels" <<<"$man" && grep -q "Tournament, the strongest" <<<"$man" ||
    fail "the manual page does not name the nine levels and the strongest: $man"

check_game "$prefix"

# Without its tables, the installed game says where it looked, each place once, and stops.
mv "$share/renju/black.dat" "$tmp/black.dat"
mkdir "$tmp/empty"
if out=$(cd "$tmp/empty" && QT_QPA_PLATFORM=offscreen timeout 30 "$prefix/$RENJU_BINDIR/renju" --check-data 2>&1); then
    fail "started without black.dat: $out"
fi
grep -qF "Looked in: $tmp/empty/black.dat, $prefix/$RENJU_BINDIR/black.dat, $share/renju/black.dat." <<<"$out" ||
    fail "the missing table's message: $out"
echo "installed and checked in $prefix"
