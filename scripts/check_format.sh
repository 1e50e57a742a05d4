#!/usr/bin/env bash
# Checks the product code against the project's .clang-format; prints each
# file that differs and fails. With --fix, formats them in place instead.
#   check_format.sh [--fix] [<clang-format>]
set -uo pipefail
cd "$(dirname "$0")/.."
fix=0
if [ "${1:-}" = --fix ]; then fix=1; shift; fi
tool="${1:-clang-format}"
folders=(base platform renderer toolkit drawing window framework abi wrappers engine plugin)
mapfile -t files < <(git ls-files -- "${folders[@]}" 2>/dev/null | grep -E '\.(h|c|cpp)$' ||
                     find "${folders[@]}" -name '*.h' -o -name '*.c' -o -name '*.cpp')
if [ "$fix" -eq 1 ]; then
  "$tool" -i "${files[@]}"
  exit $?
fi
bad=0
for f in "${files[@]}"; do
  if ! "$tool" --dry-run -Werror "$f" >/dev/null 2>&1; then
    echo "$f: not formatted (scripts/check_format.sh --fix)"
    bad=$((bad + 1))
  fi
done
if [ "$bad" -gt 0 ]; then
  echo "format: $bad of ${#files[@]} files differ from .clang-format"
  exit 1
fi
echo "format: ${#files[@]} files follow .clang-format"
