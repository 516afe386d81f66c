#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# A target is named by its folder of seeds: tests/fuzz/corpus/NAME is run by
# fuzz_NAME (fuzz_calculators covers every calculator of the registry).
#   scripts/fuzz.sh            20 seconds a target (as the test command runs it)
#   scripts/fuzz.sh 3600       an hour a target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
targets=()
for corpus in tests/fuzz/corpus/*/; do
  targets+=("$(basename "$corpus")")
done
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSTELVANA_FUZZ=ON -DSTELVANA_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  work=build-fuzz/corpus-$target
  mkdir -p "$work"
  echo "fuzz_$target: ${seconds}s"
  log=build-fuzz/fuzz-$target.log
  status=0
  build-fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/crash-$target- \
    "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units' "$log" || true
  if [[ $status -ne 0 ]]; then
    tail -n 60 "$log"
    exit "$status"
  fi
done
