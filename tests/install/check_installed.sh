# Shared by the install and package tests (sourced): checks on an installed tree.

# Stops the test with a message.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Fails unless the commands are there; names the package that brings each.
need() {
    while [ $# -gt 0 ]; do
        command -v "$1" >/dev/null || fail "$1 is missing: install the package $2 (scripts/setup does)"
        shift 2
    done
}

# check_game PREFIX: the installed game, started from an empty folder without a screen, finds its
# tables and help file in PREFIX's data folder, and the protocol engine answers START.
check_game() {
    local prefix=$1 data="$1/$RENJU_DATADIR/renju" empty out
    empty=$(mktemp -d)
    out=$(cd "$empty" && QT_QPA_PLATFORM=offscreen timeout 30 "$prefix/$RENJU_BINDIR/renju" --check-data 2>&1) ||
        fail "the installed game did not start: $out"
    local expected="black.dat: $data/black.dat
white.dat: $data/white.dat
zelmar.hlp: $data/zelmar.hlp"
    [ "$(grep -E '^(black|white)\.dat|^zelmar' <<<"$out")" = "$expected" ] ||
        fail "the installed game found its data elsewhere; expected:
$expected
got:
$out"
    out=$(cd "$empty" && printf 'START 15\nEND\n' | timeout 30 "$prefix/$RENJU_BINDIR/pbrain-renju")
    [ "$out" = "OK" ] || fail "the installed pbrain-renju answered START with: $out"
    rmdir "$empty"
}
