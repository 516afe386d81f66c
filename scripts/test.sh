#!/usr/bin/env bash
# Builds everything and runs every test, headless: the test suites, the same
# suites again under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure

echo "== the suites under ASan and UBSan"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSTELVANA_SANITIZE=ON \
  -DSTELVANA_BENCH=OFF >/dev/null
cmake --build build-sanitize
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure

echo "== fuzzing, 20 seconds a target"
scripts/fuzz.sh 20
