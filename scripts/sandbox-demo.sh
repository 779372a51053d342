#!/usr/bin/env bash
# The README's main command: builds everything, then plays the first week after a wipe through
# the sandbox server on the example server directory, so an admin can read what the plugin does.
#   QW_BUILD_DIR   where to build (default: build, the default preset's directory)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QW_BUILD_DIR:-build}"

scripts/setup.sh

echo "== Building with the default preset into $build_dir/ (a few minutes the first time)"
mkdir -p "$build_dir"
log="$build_dir/sandbox-demo-build.log"
# Warnings do not stop an admin's first build: a newer compiler may warn where ours did not. A
# build folder configured before (by the tests, with warnings as errors) keeps its settings, so
# switching between the two commands never rebuilds everything.
werror=OFF
if [[ -f "$build_dir/CMakeCache.txt" ]]; then
  werror=$(sed -n 's/^QW_WERROR:BOOL=//p' "$build_dir/CMakeCache.txt")
fi
if ! { cmake --preset default -B "$build_dir" "-DQW_WERROR=${werror:-OFF}" &&
  cmake --build "$build_dir"; } >"$log" 2>&1; then
  cat "$log"
  echo "sandbox-demo: the build failed; its output is above and in $log" >&2
  exit 1
fi

echo "== The sandbox server loads the plugin in examples/, its clock frozen at the wipe,"
echo "== and runs the commands in examples/first-week.txt. Times are UTC."
echo
TZ=UTC "$build_dir/bin/quellwarden-sandbox" --workdir examples --clock 1767895200 \
  <examples/first-week.txt
