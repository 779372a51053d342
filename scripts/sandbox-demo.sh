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

demo_targets=(Quellwarden AsaApi quellwarden-sandbox)

# configure_and_build WERROR: the default preset's folder, with warnings as errors or not. The
# tests and benchmarks stay configured, for scripts/test.sh in the same folder, but unbuilt.
configure_and_build() {
  cmake --preset default -B "$build_dir" "-DQW_WERROR=$1" &&
    cmake --build "$build_dir" --target "${demo_targets[@]}"
}

build() {
  scripts/setup.sh

  echo "== Building with the default preset into $build_dir/ (a few minutes the first time)"
  mkdir -p "$build_dir"
  local log="$build_dir/sandbox-demo-build.log"
  # Built as scripts/test.sh builds (warnings as errors), so that the tests reuse every object
  # built here. Warnings must not stop an admin's first build, though (a newer compiler may warn
  # where ours did not): a failed build is tried once more without, and a folder configured so
  # keeps that setting.
  local werror=ON
  if [[ -f "$build_dir/CMakeCache.txt" ]]; then
    werror=$(sed -n 's/^QW_WERROR:BOOL=//p' "$build_dir/CMakeCache.txt")
  fi
  if configure_and_build "${werror:-ON}" >"$log" 2>&1; then
    return
  fi
  if [[ "${werror:-ON}" != OFF ]] && configure_and_build OFF >>"$log" 2>&1; then
    return
  fi
  cat "$log"
  echo "sandbox-demo: the build failed; its output is above and in $log" >&2
  exit 1
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
