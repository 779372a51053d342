#!/usr/bin/env bash
# The Linux kit for admins: packs it from the default build that scripts/test.sh made and tries it
# unpacked outside the build tree (packaging/try-linux-kit.sh).
#   QW_BUILD_DIR=<dir> takes the build from there instead of build/.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${QW_BUILD_DIR:-build}"
cmake --build "$build_dir" --target package-tools
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
bash packaging/try-linux-kit.sh "$build_dir/Quellwarden-$version-linux-x86_64.tar.gz" README.md
