#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (the repo's
# .clang-format); lists the files. Fix with: clang-format-14 -i <file>...
# The tree is formatted by clang-format 14 (Debian 12's): other versions break lines differently,
# so the check refuses them instead of reporting files that are fine.
set -euo pipefail
cd "$(dirname "$0")/.."

pinned_major=14

# The versioned name first: a machine may have another clang-format as plain "clang-format".
formatter=""
for name in "clang-format-$pinned_major" clang-format; do
  if command -v "$name" >/dev/null; then
    formatter="$name"
    break
  fi
done
if [[ -z "$formatter" ]]; then
  echo "check-format: clang-format $pinned_major is missing; run scripts/setup.sh --all" >&2
  exit 1
fi
version="$("$formatter" --version)"
if [[ ! "$version" =~ version\ ([0-9]+)\. ]] || ((BASH_REMATCH[1] != pinned_major)); then
  echo "check-format: needs clang-format $pinned_major, the version the tree is formatted with;" \
    "$(command -v "$formatter") is \"$version\". Install clang-format-$pinned_major" \
    "(scripts/setup.sh --all does on Debian 12)." >&2
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
  if ! "$formatter" --dry-run -Werror "$file" >/dev/null 2>&1; then
    failing+=("$file")
  fi
done

if ((${#failing[@]} > 0)); then
  echo "check-format: not formatted with $formatter (see .clang-format):" >&2
  printf '  %s\n' "${failing[@]}" >&2
  echo "check-format: fix with $formatter -i <file>..." >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted ($formatter)"
