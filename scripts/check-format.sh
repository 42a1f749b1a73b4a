#!/usr/bin/env bash
# Every C++ source of ours follows .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then exit 0; fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "format check failed: run clang-format -i on the files above" >&2
  exit 1
fi
echo "format check: ${#files[@]} files follow .clang-format"
