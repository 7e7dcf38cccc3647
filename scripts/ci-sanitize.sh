#!/usr/bin/env bash
# CI stage: the whole build, GUI and tests included, with AddressSanitizer and
# UndefinedBehaviorSanitizer (gcc), in a build folder of its own, then every
# test. A leak, an overflow or undefined behaviour anywhere fails the stage.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${KORVEX_SANITIZE_BUILD_DIR:-build-sanitize}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_SANITIZE=ON \
  -DKORVEX_BUILD_GUI=ON -DKORVEX_BUILD_TESTS=ON -DKORVEX_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
