#!/usr/bin/env bash
# The same typed text gives the same digits on every machine. Builds the
# numeric core, every calculation and the vector runner with four toolchains,
# runs the same generated steps on each and compares every output with the
# reference build byte for byte:
#   gcc-x86_64     GCC, Linux x86-64 (the reference)
#   clang-x86_64   Clang, Linux x86-64
#   mingw-x86_64   MinGW-w64 GCC, Windows x86-64, run under Wine
#   gcc-aarch64    GCC, Linux on 64-bit ARM, run under qemu-user
# Each platform also generates the steps itself: the generator must write the
# same file everywhere.
#
#   scripts/crosscheck.sh            20 000 steps a calculator
#   scripts/crosscheck.sh 100000     more; STELVANA_SEED picks another seed
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-20000}
seed=${STELVANA_SEED:-20261208}
work=build-cross

started=$SECONDS
scripts/install-deps.sh cross
echo "== toolchains ready in $((SECONDS - started)) s"

qemu=qemu-aarch64
command -v "$qemu" >/dev/null || qemu=qemu-aarch64-static

# Wine in a scratch prefix of its own (made on first use, some 20 s); no Mono
# or Gecko installer, no noise.
if [[ -z ${WINEPREFIX:-} ]]; then
  WINEPREFIX=$(mktemp -d)
  trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
fi
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

platforms=(gcc-x86_64 clang-x86_64 mingw-x86_64 gcc-aarch64)
declare -A toolchain=(
  [gcc-x86_64]=""
  [clang-x86_64]=cmake/toolchains/clang-x86_64.cmake
  [mingw-x86_64]=cmake/toolchains/mingw-w64-x86_64.cmake
  [gcc-aarch64]=cmake/toolchains/aarch64-linux-gnu.cmake
)
declare -A launcher=([gcc-x86_64]="" [clang-x86_64]="" [mingw-x86_64]=wine [gcc-aarch64]=$qemu)
declare -A program=([mingw-x86_64]=stelvana_vectors.exe)

mkdir -p "$work"
failed=0

# The same options everywhere. Debian's hardening flags are the host's
# (-fcf-protection is x86 only, -z relro is no PE option) and touch no
# floating-point rule, so no platform takes them.
build() {
  local name=$1 options=(-DCMAKE_BUILD_TYPE=Release -DSTELVANA_CORE_ONLY=ON -DSTELVANA_HARDENING=OFF)
  [[ -n ${toolchain[$name]} ]] && options+=("-DCMAKE_TOOLCHAIN_FILE=$PWD/${toolchain[$name]}")
  cmake -S . -B "$work/$name" -G Ninja "${options[@]}" >"$work/$name.build.log" 2>&1 &&
    cmake --build "$work/$name" --target stelvana_vectors >>"$work/$name.build.log" 2>&1
}

# Runs the platform's runner from inside $work, with paths relative to it, so
# that Wine needs no translation of Linux paths.
runner() {
  local name=$1
  shift
  (cd "$work" && ${launcher[$name]} "$name/tests/vectors/${program[$name]:-stelvana_vectors}" "$@")
}

# Lines that differ between two files: changed, missing or extra lines.
differing_lines() {
  { diff "$1" "$2" || true; } |
    awk '/^</ { old++ } /^>/ { new++ } END { print (old > new ? old : new) + 0 }'
}

# The first differences, each shown with the step it belongs to.
show_difference() {
  local reference=$1 other=$2 line
  line=$(cmp "$reference" "$other" 2>/dev/null | sed -n 's/.* line \([0-9]*\)$/\1/p' || true)
  [[ -n "$line" ]] || line=$(($(wc -l <"$reference") + 1))
  echo "   $other differs from line $line:"
  awk -v n="$line" '/^step / { header = $0 } NR == n { if (header) print "   " header; exit }' "$reference"
  { diff "$reference" "$other" || true; } | head -n 12 | sed 's/^/   /' || true
}

started=$SECONDS
declare -A built
for name in "${platforms[@]}"; do
  t=$SECONDS
  if build "$name"; then
    built[$name]=1
    echo "== $name built in $((SECONDS - t)) s"
  else
    echo "== $name: the build failed"
    tail -n 30 "$work/$name.build.log"
    failed=1
  fi
done
echo "== builds done in $((SECONDS - started)) s"
[[ -n ${built[gcc-x86_64]:-} ]] || {
  echo "crosscheck: FAILED, no reference build"
  exit 1
}

# Every calculator of the registry, as the reference build names them; the
# reference build writes the steps every platform runs.
mapfile -t calculators < <(runner gcc-x86_64 calculators)
[[ ${#calculators[@]} -gt 0 ]] || {
  echo "crosscheck: FAILED, the reference runner names no calculator"
  exit 1
}
rm -rf "$work/steps" "$work/out" "$work"/*.run.log
mkdir -p "$work/steps"
for calculator in "${calculators[@]}"; do
  runner gcc-x86_64 generate --calculator "$calculator" --seed "$seed" --steps "$steps" \
    "steps/$calculator.steps"
done

summary=()
for name in "${platforms[@]}"; do
  [[ -n ${built[$name]:-} ]] || {
    summary+=("$(printf '%-14s the build failed: %s' "$name" "$work/$name.build.log")")
    continue
  }
  t=$SECONDS
  mkdir -p "$work/out/$name"
  status=0
  run_args=()
  for calculator in "${calculators[@]}"; do
    runner "$name" generate --calculator "$calculator" --seed "$seed" --steps "$steps" \
      "out/$name/$calculator.steps" 2>>"$work/$name.run.log" || status=$?
    run_args+=("steps/$calculator.steps" "out/$name/$calculator.out")
  done
  runner "$name" run "${run_args[@]}" 2>>"$work/$name.run.log" || status=$?
  seconds=$((SECONDS - t))
  if [[ $name == gcc-x86_64 && $status -ne 0 ]]; then
    tail -n 20 "$work/$name.run.log"
    echo "crosscheck: FAILED, the reference runner exited with $status"
    exit 1
  fi

  step_count=0 fields=0 differences=0
  for calculator in "${calculators[@]}"; do
    ours="$work/out/$name/$calculator"
    reference="$work/out/gcc-x86_64/$calculator"
    step_count=$((step_count + $(grep -c '^step ' "$reference.out" || true)))
    fields=$((fields + $(grep -c '^[A-Za-z]*[0-9]*=' "$reference.out" || true)))
    for kind in steps out; do
      if [[ ! -f "$ours.$kind" ]]; then
        differences=$((differences + $(wc -l <"$reference.$kind")))
        echo "   $ours.$kind was not written"
      elif ! cmp -s "$reference.$kind" "$ours.$kind"; then
        differences=$((differences + $(differing_lines "$reference.$kind" "$ours.$kind")))
        show_difference "$reference.$kind" "$ours.$kind"
      fi
    done
  done
  line=$(printf '%-14s steps %d  fields compared %d  differences %d  (%d s)' \
    "$name" "$step_count" "$fields" "$differences" "$seconds")
  [[ $name == gcc-x86_64 ]] && line+="  reference"
  if [[ $status -ne 0 ]]; then
    line+="  runner failed, exit $status"
    tail -n 20 "$work/$name.run.log"
  fi
  [[ $status -eq 0 && $differences -eq 0 ]] || failed=1
  summary+=("$line")
done

echo "== the same steps on every platform (seed $seed), compared with gcc-x86_64"
printf '%s\n' "${summary[@]}"
if [[ $failed -ne 0 ]]; then
  echo "crosscheck: FAILED"
  exit 1
fi
echo "crosscheck: every platform wrote the reference digits"
