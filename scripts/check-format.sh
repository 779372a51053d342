#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (the repo's
# .clang-format); lists the files. Fix with: clang-format -i <file>...
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is missing; run scripts/setup.sh --all" >&2
  exit 1
fi

# Tracked files only, so build trees and editors' scratch files never count.
mapfile -t files < <(git ls-files -- '*.h' '*.cpp')
if ((${#files[@]} == 0)); then
  echo "check-format: no tracked *.h or *.cpp files found (not a git checkout?)" >&2
  exit 1
fi

failing=()
for file in "${files[@]}"; do
  if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
    failing+=("$file")
  fi
done

if ((${#failing[@]} > 0)); then
  echo "check-format: not formatted with clang-format (see .clang-format):" >&2
  printf '  %s\n' "${failing[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
