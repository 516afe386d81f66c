#!/usr/bin/env bash
# `stelvana check` and `stelvana optimize` as a terminal runs them: without
# a display, the table to a file with a byte order mark, a malformed file as
# one line on stderr with status 2; -o never destroys what the command did
# not create; a table streams through a pipe, and one without end stops.
set -uo pipefail
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
cd "$scratch" || exit 1

printf 'bf1,F\n200,400\n250,abc\n' >in.csv
cp in.csv kept.csv
run check bracket in.csv -o out.csv >stdout 2>stderr
status=$?
[[ $status -eq 0 ]] || fail "check: status $status, $(cat stderr)"
[[ -s stdout || -s stderr ]] && fail "check -o wrote to the terminal"
[[ $(head -c 3 out.csv | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "no byte order mark"
[[ $(wc -l <out.csv) -eq 3 ]] || fail "not three records: $(cat out.csv)"
grep -q '不是有效的数字' out.csv || fail "the fault is not in its row"

# refused NAME PATTERN ARGS…: status 2, one line naming why, the input as it was.
refused() {
  local name=$1 pattern=$2
  shift 2
  run "$@" >stdout 2>stderr
  local status=$?
  if [[ $status -ne 2 || $(wc -l <stderr) -ne 1 || -s stdout ]] || ! grep -q -- "$pattern" stderr; then
    fail "$name: status $status, $(cat stderr)"
  fi
  cmp -s in.csv kept.csv || fail "$name: the input was changed"
}
ln -s in.csv link.csv
mkdir folder
cp in.csv readonly.csv && chmod 444 readonly.csv
refused "the input itself" '这是输入的表格' check bracket in.csv -o in.csv
refused "the input through ./" '这是输入的表格' check bracket in.csv -o ./in.csv
refused "the input through a symbolic link" '这是输入的表格' check bracket link.csv -o "$scratch/in.csv"
refused "the input as standard input" '这是输入的表格' check bracket - -o in.csv <in.csv
refused "a read-only file" '只读' check bracket in.csv -o readonly.csv
[[ $(stat -c %a readonly.csv) == 444 ]] && cmp -s readonly.csv kept.csv || fail "the read-only file changed"
refused "a folder" '文件夹' check bracket in.csv -o folder
[[ -d folder ]] || fail "the folder went"
refused "-o twice" '-o 只能给出一次' check bracket in.csv -o a.csv -o b.csv
[[ -e a.csv || -e b.csv ]] && fail "-o twice wrote a file"
refused "a malformed table" '第 2 行第 2 列：引号没有闭合' check bracket <(printf 'bf1,F\n1,"2\n') -o out.csv
[[ $(wc -l <out.csv) -eq 3 ]] || fail "a malformed table replaced the earlier output"

# Devices and FIFOs are written as they are, never replaced by a file.
run check bracket in.csv -o /dev/null || fail "-o /dev/null: status $?"
[[ -c /dev/null ]] || fail "/dev/null is no longer a device"
[[ $(run check bracket in.csv -o /dev/stdout | wc -l) -eq 3 ]] || fail "-o /dev/stdout"
mkfifo fifo
timeout 20 cat fifo >from-fifo &
run check bracket in.csv -o fifo || fail "-o a FIFO: status $?"
wait
[[ -p fifo && $(wc -l <from-fifo) -eq 3 ]] || fail "-o a FIFO: $(ls -l fifo)"
# An existing output keeps its permission bits.
chmod 640 out.csv
run check bracket in.csv -o out.csv && [[ $(stat -c %a out.csv) == 640 ]] \
  || fail "the output's mode went from 640 to $(stat -c %a out.csv)"

# Streaming: the first row, Chinese in it, comes out while the producer still
# holds back the rest; a table without end stops at once.
: >streamed.csv
{
  printf 'bf1,F,steelGrade\n200,400,Q235B　钢材钢材钢材钢材钢材钢材钢材钢材\n'
  for _ in $(seq 100); do
    [[ $(wc -l <streamed.csv) -ge 2 ]] && break
    sleep 0.1
  done
  [[ $(wc -l <streamed.csv) -ge 2 ]] && touch first-row-early
  yes 'abc,400,Q235B' | head -n 99999
} | run check bracket - >streamed.csv
[[ -e first-row-early ]] || fail "the first row waited for the last"
[[ $(wc -l <streamed.csv) -eq 100001 ]] || fail "streamed: $(wc -l <streamed.csv) lines"
run check bracket /dev/zero 2>stderr
status=$?
[[ $status -eq 2 ]] && grep -q '第 1 行第 1 字节：含有空字节' stderr || fail "/dev/zero: $status $(cat stderr)"
{ echo bf1; head -c 64M /dev/zero | tr '\0' 2; } | run check bracket - 2>stderr >/dev/null
status=${PIPESTATUS[1]}
[[ $status -eq 2 ]] && grep -q '第 2 行：这一行超过 1 MB' stderr || fail "a 64 MB line: $status $(cat stderr)"

# Excel's GBK: a grade with an ideographic space is the grade, a Chinese one
# is named in the notes, a Chinese column name in the error, all as UTF-8.
printf 'bf1,steelGrade\r\n200,Q235B\xa1\xa1\r\n200,Q345\xb8\xd6\r\n' >gbk.csv
run check bracket gbk.csv >gbk-out.csv 2>stderr || fail "GBK: $(cat stderr)"
[[ $(sed -n 2p gbk-out.csv) != *未判断* && $(sed -n 3p gbk-out.csv) == *钢材为Q345钢* ]] \
  || fail "GBK: $(cat gbk-out.csv)"
refused "a GBK column name" '第 1 行第 2 列：未知的列“钢材”' check bracket <(printf 'bf1,\xb8\xd6\xb2\xc4\n')

printf 'bf1,Bf2\n200,200\n' >bad.csv
run check bracket bad.csv >stdout 2>stderr
status=$?
[[ $status -eq 2 ]] || fail "malformed: status $status"
[[ $(wc -l <stderr) -eq 1 ]] || fail "malformed: $(cat stderr)"
grep -q 'bad.csv：第 1 行第 2 列：未知的列“Bf2”' stderr || fail "$(cat stderr)"
[[ -s stdout ]] && fail "malformed: wrote a table"

run check nosuch in.csv 2>stderr
# The calculators offered are every one the build has: section and bracket at least.
[[ $? -eq 2 ]] && grep -q '没有计算器“nosuch”（可用的有 section, bracket' stderr \
  || fail "unknown calculator: $(cat stderr)"

run optimize bracket F=1050 e=0.08 bs=140 tst=16 >ten.csv 2>stderr
status=$?
[[ $status -eq 0 && $(wc -l <ten.csv) -eq 11 ]] || fail "optimize: status $status, $(cat stderr)"

run optimize section N=1500 M=300 L=6000 steelGrade=Q345B >ten.csv 2>stderr
status=$?
[[ $status -eq 0 && $(wc -l <ten.csv) -eq 11 ]] \
  || fail "optimize section: status $status, $(cat stderr)"

"$program" --help | grep -q 'stelvana check 计算器 表格.csv \[-o 输出.csv\]' || fail "--help says nothing of check"

[[ $failures -eq 0 ]] && echo "terminal commands: all passed"
exit $((failures > 0))
