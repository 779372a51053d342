#!/usr/bin/env bash
# The README's main command: builds what the demo runs (the plugin, the stand-in host and the
# sandbox server), then plays the first week after a wipe through the sandbox on a fresh copy of
# the example server directory, so an admin can read what the plugin does.
#   QW_BUILD_DIR   where to build (default: build, the default preset's directory)
#   --no-build     plays the week on what is built already, without set-up or build (the test
#                  that holds the README's transcript to this output runs it so)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QW_BUILD_DIR:-build}"

build() {
  scripts/setup.sh

  echo "== Building with the default preset into $build_dir/ (a few minutes the first time)"
  mkdir -p "$build_dir"
  local log="$build_dir/sandbox-demo-build.log"
  # Warnings do not stop an admin's first build: a newer compiler may warn where ours did not. A
  # build folder configured before (by the tests, with warnings as errors) keeps its settings, so
  # switching between the two commands never rebuilds everything.
  local werror=OFF
  if [[ -f "$build_dir/CMakeCache.txt" ]]; then
    werror=$(sed -n 's/^QW_WERROR:BOOL=//p' "$build_dir/CMakeCache.txt")
  fi
  # The tests and benchmarks stay configured, for scripts/test.sh in the same folder, but unbuilt.
  if ! { cmake --preset default -B "$build_dir" "-DQW_WERROR=${werror:-OFF}" &&
    cmake --build "$build_dir" --target Quellwarden AsaApi quellwarden-sandbox; } >"$log" 2>&1; then
    cat "$log"
    echo "sandbox-demo: the build failed; its output is above and in $log" >&2
    exit 1
  fi
}

case "${1:-}" in
  "") build ;;
  --no-build) ;;
  *)
    echo "usage: scripts/sandbox-demo.sh [--no-build]" >&2
    exit 2
    ;;
esac

# The plugin may write beside its configuration: each run starts from the shipped example, and
# the repository's examples/ stays as it is.
server_dir="$(mktemp -d)"
trap 'rm -rf "$server_dir"' EXIT
cp -R examples/. "$server_dir"

echo "== The sandbox server loads the plugin in a fresh copy of examples/, its clock frozen at"
echo "== the wipe, and runs the commands in examples/first-week.txt. Times are UTC."
echo
TZ=UTC "$build_dir/bin/quellwarden-sandbox" --workdir "$server_dir" --clock 1767895200 \
  <"$server_dir/first-week.txt"
