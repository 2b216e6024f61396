#!/usr/bin/env bash
# The command line without a display: --help and --version answer on standard output, and
# --check-data says where the data files are, as command-line programs do.
#   command_line_test.sh PATH/TO/renju
set -u
game=$(realpath "$1")
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
# No display of any kind: neither X, nor Wayland, nor a platform chosen for Qt.
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$game" "$@" 2>&1
}

for option in --help -h; do
  out=$(run "$option") || fail "$option: exit status $?: $out"
  grep -q -- "--check-data" <<<"$out" || fail "$option does not list --check-data: $out"
  grep -q -- "--version" <<<"$out" || fail "$option does not list --version: $out"
done

out=$(run --version) || fail "--version: exit status $?: $out"
grep -qx "renju [0-9][0-9.]*" <<<"$out" || fail "--version printed: $out"

out=$(cd "$(dirname "$game")" && run --check-data) || fail "--check-data: exit status $?: $out"
for name in black.dat white.dat zelmar.hlp; do
  grep -q "^$name: /" <<<"$out" || fail "--check-data does not say where $name is: $out"
done

out=$(QT_QPA_PLATFORM=offscreen timeout 20 "$game" --no-such-option 2>&1) && fail "an unknown option was taken: $out"
grep -qi "unknown option" <<<"$out" || fail "an unknown option was not named: $out"

[ "$failures" -eq 0 ] || exit 1
echo "the command line works without a display"
