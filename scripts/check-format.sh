#!/usr/bin/env bash
# Fails, listing the differences, when a C++ file under src, tests or bench is
# not as clang-format would write it with the .clang-format at the root.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is not installed" >&2
  exit 1
fi
mapfile -d '' files < <(find src tests bench -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
# With no file names clang-format would wait for standard input.
((${#files[@]})) || exit 0
clang-format --style=file --dry-run -Werror "${files[@]}"
