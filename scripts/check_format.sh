#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 makes of it with the
# project's .clang-format. `scripts/check_format.sh --fix` rewrites the files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-14
mapfile -t files < <(git ls-files '*.h' '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
"$format" --dry-run -Werror "${files[@]}"
echo "check_format: ${#files[@]} files as clang-format 14 writes them"
