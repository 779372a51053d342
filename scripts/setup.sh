#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
#   scripts/setup.sh          what building and running the sandbox needs
#   scripts/setup.sh --all    also what the whole test suite needs (sanitizers, fuzzing,
#                             valgrind, the Windows cross-build under Wine, Node and the pinned
#                             npm RCON client for the RCON tests)
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config python3 nlohmann-json3-dev libspdlog-dev libfmt-dev
          libasio-dev googletest libgtest-dev libgmock-dev libbenchmark-dev)
if [[ "${1:-}" == "--all" ]]; then
  # clang-format-14 by name: scripts/check-format.sh accepts that version only.
  packages+=(clang clang-14 libclang-rt-14-dev clang-format clang-format-14 valgrind
             g++-mingw-w64-x86-64-posix wine64)
  # Node may come from elsewhere than Debian (its npm then conflicts with Debian's): a working
  # node and npm on the PATH are enough.
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
  fi
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The third-party RCON client the sandbox's RCON test drives, pinned by its lock file. A fresh
# install only when the lock file changed since the last one (npm keeps its copy in node_modules).
if [[ "${1:-}" == "--all" ]]; then
  client_dir="$(cd "$(dirname "$0")/.." && pwd)/tests/sandbox/rcon-client"
  if [[ ! "$client_dir/node_modules/.package-lock.json" -nt "$client_dir/package-lock.json" ]]; then
    echo "setup: installing the RCON test client (npm ci in tests/sandbox/rcon-client)"
    (cd "$client_dir" && npm ci --prefer-offline --no-audit --no-fund --loglevel=error)
  fi
fi
