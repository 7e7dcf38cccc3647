#!/usr/bin/env bash
# CI stage: builds the fuzz targets with clang (build-fuzz) and runs each for
# a short while on its seed corpus. Any crash, sanitizer report, timeout or
# out-of-memory fails the stage and leaves its input in the scratch folder
# named at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${KORVEX_FUZZ_SECONDS:-60}
build=${KORVEX_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -DKORVEX_BUILD_FUZZ=ON
cmake --build "$build" -j"$(nproc)" --target engine_fuzzer answer_fuzzer settings_fuzzer
scratch=$(mktemp -d)
status=0
for target in engine answer settings; do
  options=()
  [[ $target == engine ]] && options+=("-dict=$root/fuzz/expression.dict")
  mkdir -p "$scratch/$target"
  echo "+ ${target}_fuzzer, ${seconds} s"
  # Seeds are read from the source tree; new inputs go to the scratch folder.
  if ! (cd "$scratch/$target" && "$root/$build/${target}_fuzzer" "${options[@]}" \
          -max_total_time="$seconds" -max_len=256 -timeout=10 -rss_limit_mb=2048 \
          -print_final_stats=1 "$scratch/$target" "$root/fuzz/corpus/${target}_fuzzer" \
          >"$scratch/$target.log" 2>&1); then
    tail -n 40 "$scratch/$target.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$scratch/$target.log" || true
  fi
done
if ((status)); then
  echo "fuzz smoke failed; inputs and logs in $scratch" >&2
else
  rm -rf "$scratch"
fi
exit "$status"
