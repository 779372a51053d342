#!/usr/bin/env bash
# The Windows build under Wine: cross-builds the plugin DLL, the stand-in host DLL and the tests
# with MinGW-w64 (preset "windows"), runs the tests in a Wine prefix inside the build tree, and lays
# out the server package. Needs g++-mingw-w64-x86-64-posix and wine64 (scripts/setup.sh --all);
# no display.
set -euo pipefail
cd "$(dirname "$0")/.."

find_tool() {
  local name
  for name in "$@"; do
    if command -v "$name" >/dev/null 2>&1; then
      command -v "$name"
      return
    fi
    if [[ -x "/usr/lib/wine/$name" ]]; then
      echo "/usr/lib/wine/$name"
      return
    fi
  done
  echo "test-windows: none of $* found; run scripts/setup.sh --all" >&2
  exit 1
}

cmake --preset windows
cmake --build --preset windows

build_dir=$PWD/build-windows  # the preset's binaryDir
prefix=$(sed -n 's/^QW_WINEPREFIX:PATH=//p' "$build_dir/CMakeCache.txt")
wine=$(sed -n 's/^QW_WINE:FILEPATH=//p' "$build_dir/CMakeCache.txt")
if [[ -z "$prefix" || -z "$wine" ]]; then
  echo "test-windows: the build found no Wine; run scripts/setup.sh --all" >&2
  exit 1
fi
wineserver=$(find_tool wineserver64 wineserver)

export WINEPREFIX="$prefix" WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
# One wineserver for the whole run, with Wine's own services started away from ctest's output
# pipes: each test program then starts in a fraction of a second instead of waiting for the
# server to linger out. A fresh prefix is made here; no Mono or Gecko installer is wanted.
stop_wine() { "$wineserver" -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT
mkdir -p "$prefix"
"$wineserver" -p >/dev/null 2>&1 </dev/null
WINEDLLOVERRIDES="mscoree=;mshtml=" "$wine" wineboot --init >/dev/null 2>&1 </dev/null

ctest --preset windows

cmake --build --preset windows --target package-plugin
for file in Quellwarden.dll config.json; do
  if [[ ! -s "$build_dir/package/ArkApi/Plugins/Quellwarden/$file" ]]; then
    echo "test-windows: the package lacks ArkApi/Plugins/Quellwarden/$file" >&2
    exit 1
  fi
done
echo "test-windows: package laid out in $build_dir/package"
