#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 makes of it with the
# project's .clang-format, and names those files. `scripts/check_format.sh --fix` rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-14
mapfile -t files < <(git ls-files '*.h' '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
if "$format" --dry-run -Werror "${files[@]}" >/dev/null 2>&1; then
  echo "check_format: ${#files[@]} files as clang-format 14 writes them"
  exit 0
fi
drift=()
for file in "${files[@]}"; do
  "$format" --dry-run -Werror "$file" >/dev/null 2>&1 || drift+=("$file")
done
if [ ${#drift[@]} -gt 0 ]; then
  printf '%s\n' "${drift[@]}"
  echo "check_format: ${#drift[@]} file(s) not as clang-format 14 writes them;" \
       "scripts/check_format.sh --fix rewrites them" >&2
fi
exit 1
