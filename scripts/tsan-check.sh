#!/usr/bin/env bash
# The tests that run requests on the calculator's worker thread, built with
# ThreadSanitizer in a build folder of their own. Qt itself is not
# instrumented, so races inside Qt's own code would not be seen; ours are.
# Not part of CI (a second full build); run it after changing how the worker
# and the windows share data.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KORVEX_TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TSAN=ON \
  -DKORVEX_BUILD_GUI=ON -DKORVEX_BUILD_TESTS=ON -DKORVEX_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
# primepi counts in a forked child, which TSan would otherwise refuse once
# the worker thread exists.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 die_after_fork=0 suppressions=$(pwd)/scripts/tsan.supp"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
