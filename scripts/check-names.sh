#!/usr/bin/env bash
# Checks that every name in the project's sources follows the house convention (the root
# .clang-tidy). Needs a configured build tree for its compile commands; run by the test command.
#   bash scripts/check-names.sh [BUILD_DIR]        (default: build-test)
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 scripts/tidy_names.py check "${1:-build-test}"
