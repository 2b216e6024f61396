#!/usr/bin/env bash
# Every text marked for translation in ui/ and app/ has a translation in each .ts file, and
# each translation keeps the placeholders of its text (%1, %d, %5d, ...).
#   translations_test.sh LUPDATE SOURCE_DIR TS_FILE...
set -u
lupdate=$1
source_dir=$2
shift 2
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ts in "$@"; do
  name=$(basename "$ts")
  # A copy brought up to date with the sources: a text marked since is added unfinished, a
  # text no longer marked is kept as vanished.
  cp "$ts" "$work/$name"
  "$lupdate" -locations none -extensions cpp,h "$source_dir/ui" "$source_dir/app" -ts "$work/$name" >"$work/log" 2>&1 ||
    { fail "lupdate: $(cat "$work/log")"; continue; }
  count=$(grep -c '<message>' "$work/$name")
  [ "$count" -gt 50 ] || fail "$name: only $count texts found"
  while IFS= read -r line; do
    fail "$name: $line"
  done < <(grep -B2 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>' "$work/$name" |
    grep '<source>' | sed 's/^ *//')
  # Placeholders, text and translation alike, in order of appearance for printf forms.
  awk -v name="$name" '
    /<source>/ { src = ""; insrc = 1 }
    insrc { src = src $0 "\n" }
    /<\/source>/ { insrc = 0 }
    /<translation/ { tr = ""; intr = 1 }
    intr { tr = tr $0 "\n" }
    /<\/translation>/ {
      intr = 0
      if (marks(src, "%[0-9]*[.]?[0-9]*[sd%]") != marks(tr, "%[0-9]*[.]?[0-9]*[sd%]") ||
          sorted(marks(src, "%[1-9]")) != sorted(marks(tr, "%[1-9]")))
        print "FAILED: " name ": placeholders differ: " src
    }
    function marks(text, re,   out) {
      out = ""
      while (match(text, re)) { out = out substr(text, RSTART, RLENGTH) " "; text = substr(text, RSTART + RLENGTH) }
      return out
    }
    function sorted(list,   n, a, i, j, t, out) {
      n = split(list, a, " ")
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
      out = ""; for (i = 1; i <= n; i++) out = out a[i] " "
      return out
    }' "$work/$name" >"$work/placeholders"
  if [ -s "$work/placeholders" ]; then
    cat "$work/placeholders"
    failures=$((failures + 1))
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "every marked text is translated: $*"
