#!/usr/bin/env bash
# The Windows build under Wine: cross-builds the plugin DLL, the stand-in host DLL, the tools and
# the tests with MinGW-w64 (preset "windows"), runs the tests in a Wine prefix inside the build
# tree, packs the admins' kit and tries it in a fresh prefix. Needs g++-mingw-w64-x86-64-posix,
# wine64 and python3 (scripts/setup.sh --all); no display.
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
stop_wine  # a server left by an interrupted run would refuse to start anew
"$wineserver" -p >/dev/null 2>&1 </dev/null
WINEDLLOVERRIDES="mscoree=;mshtml=" "$wine" wineboot --init >/dev/null 2>&1 </dev/null

ctest --preset windows

cmake --build --preset windows --target package-plugin
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
zip="$build_dir/Quellwarden-$version-windows.zip"
expected="README-admins.txt
sandbox/ArkApi/Plugins/Quellwarden/Quellwarden.dll
sandbox/ArkApi/Plugins/Quellwarden/config.json
sandbox/AsaApi.dll
sandbox/first-week.txt
sandbox/quellwarden-sandbox.exe
tools/quellwarden-check.exe"
if ! diff <(echo "$expected") <(cmake -E tar tf "$zip" | grep -v '/$' | LC_ALL=C sort); then
  echo "test-windows: $zip does not hold what the kit should" >&2
  exit 1
fi
stop_wine
bash packaging/try-windows-kit.sh "$zip" README.md "$wine" "$wineserver"
