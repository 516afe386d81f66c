#!/usr/bin/env bash
# Reads the manual page as man shows it in a UTF-8 locale and in the C locale,
# where the terminal has no Chinese: each Chinese term of the interface comes
# with its English gloss, so the page reads whole in both. Skips (status 77)
# without man-db.
#   check-manpage.sh BUILD-FOLDER
set -uo pipefail
page=$1/packaging/doc/stelvana.1.gz
command -v man >/dev/null || { echo "SKIP: no man here"; exit 77; }
[[ -f $page ]] || { echo "FAIL: no $page"; exit 1; }

passed=0
failures=0
# row NAME LOCALE TEXT... : every TEXT on a line of its own page, no warning
row() {
  local name=$1 locale=$2
  shift 2
  local out err problem=""
  out=$(mktemp) err=$(mktemp)
  LC_ALL=$locale MANWIDTH=80 man -l "$page" >"$out" 2>"$err"
  if [[ -s $err ]]; then
    problem="man warns: $(head -n 1 "$err")"
  elif [[ $locale == C ]] && LC_ALL=C grep -q '[^[:print:][:space:]]' "$out"; then
    problem="non-ASCII text under the C locale"
  elif grep -Eq '^ +\($|press \.|^ +$[^$]' "$out"; then
    problem="a heading or sentence lost its term"
  else
    for text in "$@"; do
      grep -qF -- "$text" "$out" || { problem="no \"$text\""; break; }
    done
  fi
  if [[ -n $problem ]]; then
    echo "FAIL: $name: $problem"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
  rm -f "$out" "$err"
}

row "UTF-8: the Chinese terms and their glosses" C.UTF-8 \
  "工字型截面性质 (I-section properties)" "钢牛腿受力计算 (steel bracket check)" \
  "press 确定输入 (confirm input)."
row "C: the glosses alone" C \
  "       (I-section properties)" "       (steel bracket check)" "press (confirm input)."

# Every Chinese character of the page's source sits in a string shown only
# where it can be, and every use of such a string carries a gloss.
source=$(zcat "$page")
stray=$(LC_ALL=C.UTF-8 grep -nP '\p{Han}' <<<"$source" | grep -v ':\.  ds zh-')
unglossed=$(grep -n '\\\*\[zh-' <<<"$source" | grep -v '^[0-9]*:\.  ds' |
  grep -vP '\\\*\[zh-[a-z]+\] "\(|\\\*\[zh-[a-z]+\]$' || true)
if [[ -n $stray ]]; then
  echo "FAIL: Chinese outside the terms' strings: $stray"
  failures=$((failures + 1))
elif [[ -n $unglossed ]]; then
  echo "FAIL: a term without its gloss: $unglossed"
  failures=$((failures + 1))
else
  passed=$((passed + 1))
fi

echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
