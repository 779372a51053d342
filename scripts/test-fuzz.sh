#!/usr/bin/env bash
# CI's short fuzzing: every libFuzzer harness for a bounded time through scripts/fuzz-long.sh,
# built in the sanitizer build that scripts/test-sanitizers.sh leaves behind, so after it nothing
# is left to build but the dictionary.
#   QW_FUZZ_SECONDS=<n>          time per harness (default 30)
#   QW_SANITIZE_BUILD_DIR=<dir>  builds there instead of the preset's build-sanitize
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash scripts/fuzz-long.sh "${QW_FUZZ_SECONDS:-30}"
