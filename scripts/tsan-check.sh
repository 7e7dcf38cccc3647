#!/usr/bin/env bash
# CI stage: the tests that hand requests between the window thread and the
# calculator's worker or the preview's (the core's, the plot layer's and the
# GUI's request and preview tests), built with ThreadSanitizer in a build folder of their own. Any
# report fails the stage. Qt itself is not instrumented, so races inside
# Qt's own code would not be seen (scripts/tsan.supp silences its internal
# hand-overs, and nothing of Korvex's); ours are.
# With arguments, they go to ctest instead of the default selection, and
# every test program is built.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${KORVEX_TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TSAN=ON \
  -DKORVEX_BUILD_GUI=ON -DKORVEX_BUILD_TESTS=ON -DKORVEX_BUILD_BENCH=OFF
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/scripts/tsan.supp"
if (($#)); then
  cmake --build "$build" -j"$(nproc)"
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
  exit
fi
programs=()
for source in tests/core/*_test.cpp tests/plot/*_test.cpp tests/ui/concurrent_actions_test.cpp \
  tests/ui/responsive_requests_test.cpp tests/ui/benchmark_window_test.cpp \
  tests/ui/live_preview_test.cpp; do
  programs+=("$(basename "$source" .cpp)")
done
cmake --build "$build" -j"$(nproc)" --target korvex_data "${programs[@]}"
# The test programs left unbuilt stand in ctest as "<program>_NOT_BUILT";
# the package and completion checks belong to the main test run.
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -E "_NOT_BUILT|^deb_package$|^completion\."
