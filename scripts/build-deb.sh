#!/usr/bin/env bash
# Installs what is missing, makes the optimised build and the Debian package from it:
# build/package/tr-a1-editor_VERSION_ARCH.deb (the programs, their manual pages, the menu entry,
# the icon, the AppStream file and the .tcf file type).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
tra1_install_packages

build_dir="${TRA1_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRA1_BUILD_TESTS=OFF \
    -DTRA1_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --parallel "$(nproc)"
rm -rf "$build_dir/package"
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/package" > /dev/null
echo "$build_dir"/package/*.deb
