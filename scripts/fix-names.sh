#!/usr/bin/env bash
# Renames every name that breaks the house convention (the root .clang-tidy), its declaration and
# every use, then reports what it could not rename. Run it on a branch before bringing main's
# renames over it, and after writing new code.
#   bash scripts/fix-names.sh [BUILD_DIR]          (default: build-test, configured if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
tra1_install_packages
build_dir="${1:-build-test}"
if [ ! -f "$build_dir/compile_commands.json" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DTRA1_SANITIZE=ON
fi
python3 scripts/tidy_names.py fix "$build_dir"
