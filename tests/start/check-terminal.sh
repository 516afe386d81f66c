#!/usr/bin/env bash
# `stelvana check` and `stelvana optimize` as a terminal runs them: without
# a display, the table to a file with a byte order mark, a malformed file as
# one line on stderr with status 2.
set -uo pipefail
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf 'bf1,F\n200,400\n250,abc\n' >"$scratch/in.csv"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" check bracket "$scratch/in.csv" \
  -o "$scratch/out.csv" >"$scratch/stdout" 2>"$scratch/stderr"
status=$?
[[ $status -eq 0 ]] || fail "check: status $status, $(cat "$scratch/stderr")"
[[ -s $scratch/stdout || -s $scratch/stderr ]] && fail "check -o wrote to the terminal"
[[ $(head -c 3 "$scratch/out.csv" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "no byte order mark"
[[ $(wc -l <"$scratch/out.csv") -eq 3 ]] || fail "not three records: $(cat "$scratch/out.csv")"
grep -q '不是有效的数字' "$scratch/out.csv" || fail "the fault is not in its row"

printf 'bf1,Bf2\n200,200\n' >"$scratch/bad.csv"
env -u DISPLAY "$program" check bracket "$scratch/bad.csv" >"$scratch/stdout" 2>"$scratch/stderr"
status=$?
[[ $status -eq 2 ]] || fail "malformed: status $status"
[[ $(wc -l <"$scratch/stderr") -eq 1 ]] || fail "malformed: $(cat "$scratch/stderr")"
grep -q "bad.csv: line 1, column 2: unknown column \"Bf2\"" "$scratch/stderr" || fail "$(cat "$scratch/stderr")"
[[ -s $scratch/stdout ]] && fail "malformed: wrote a table"

env -u DISPLAY "$program" check nosuch "$scratch/in.csv" 2>"$scratch/stderr"
[[ $? -eq 2 ]] && grep -q 'no calculator "nosuch" (there are section, bracket)' "$scratch/stderr" \
  || fail "unknown calculator: $(cat "$scratch/stderr")"

env -u DISPLAY "$program" optimize bracket F=1050 e=0.08 >"$scratch/ten.csv" 2>"$scratch/stderr"
status=$?
[[ $status -eq 0 && $(wc -l <"$scratch/ten.csv") -eq 11 ]] || fail "optimize: status $status, $(cat "$scratch/stderr")"

"$program" --help | grep -q 'stelvana check CALCULATOR FILE.csv' || fail "--help says nothing of check"

[[ $failures -eq 0 ]] && echo "terminal commands: all passed"
exit $((failures > 0))
