#!/usr/bin/env bash
# A simulated week of a busy server in one sandbox (scripts/soak.py): 100,000 gate decisions of
# 100 players with player notices on, a reload every simulated hour alternating a good and a
# broken configuration, status requests from four RCON clients at once. Prints each day's game
# allocator blocks and resident memory; fails when either grows after the first day, when a gate
# decides against the configuration or when anything but a broken file's refusal logs an error.
# It runs on a scratch copy of examples/ and builds the plugin and the sandbox first.
#   scripts/soak.sh [--short] [--no-build] [soak.py options...]
#     --short      two simulated days of 10,000 decisions each, seconds of wall time (CI)
#     --no-build   use what is built (scripts/test.sh runs it so, after the default build)
#   QW_BUILD_DIR   where to build (default: build, the default preset's directory)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QW_BUILD_DIR:-build}"

build=1
options=()
for argument in "$@"; do
  case "$argument" in
    --short) options+=(--days 2 --decisions 20000) ;;
    --no-build) build=0 ;;
    *) options+=("$argument") ;;
  esac
done

if ((build)); then
  cmake --preset default -B "$build_dir" >/dev/null
  cmake --build "$build_dir" --target Quellwarden AsaApi quellwarden-sandbox >/dev/null
fi
exec python3 scripts/soak.py --sandbox "$build_dir/bin/quellwarden-sandbox" --examples examples \
  "${options[@]}"
