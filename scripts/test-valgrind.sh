#!/usr/bin/env bash
# The end-to-end tests under valgrind's memcheck: any memory error, or any block lost for good
# (definitely or indirectly), fails the run. What the stand-in host keeps for the whole process is
# still reachable and allowed. Runs on the default build that scripts/test.sh made.
#   QW_BUILD_DIR=<dir> takes the binaries from there instead of build/.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${QW_BUILD_DIR:-build}"
test_binary="$build_dir/bin/plugin_e2e_test"
if [[ ! -x "$test_binary" ]]; then
  echo "test-valgrind: $test_binary is missing; build the default preset first" >&2
  exit 1
fi

valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
  --track-origins=yes --num-callers=30 --quiet \
  "$test_binary" --gtest_brief=1
