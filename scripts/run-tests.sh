#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
tra1_install_packages

build_dir="${TRA1_TEST_BUILD_DIR:-build-test}"
# The measurements need the optimised build, not the sanitized one. Line tables (-g1) are all
# that the sanitizers' reports need (file and line of each frame), and build much faster than
# full debug information.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DTRA1_SANITIZE=ON \
    -DTRA1_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --parallel "$(nproc)"

# The optimised build that the run command makes sees warnings the debug build does not; keep it
# building too, with the benchmarks (build-release-check/bench/tr-a1-transfer-bench measures the
# transfers against tr-a1-sim on a pseudo-terminal).
release_dir="${TRA1_RELEASE_BUILD_DIR:-build-release-check}"
# It is the run command's build (RelWithDebInfo) with line tables only: the same optimisation and
# so the same warnings, in less time.
cmake -S . -B "$release_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DTRA1_BUILD_TESTS=OFF \
    -DTRA1_BUILD_BENCHMARKS=ON -DTRA1_BUILD_SOAK_TEST=ON
cmake --build "$release_dir" --parallel "$(nproc)"
echo "Optimised build of the editor and the virtual receiver: OK"
# A day in realtime mode on a noisy line, on the virtual clock; optimised, it takes seconds.
"$release_dir/soak_tests" --gtest_brief=1
# The .deb from that same build, unpacked and checked file by file.
bash scripts/check-package.sh "$release_dir"

# The fuzz targets, built with clang under the sanitizers, each for a bounded number of runs.
bash scripts/fuzz.sh --smoke

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Each test program's entries take one "cpus" slot, one slot per core; the real-clock entries
# (labelled real-clock: real programs and ser2net at 9600 baud, mostly waiting on the line) take
# none, start first and run beside the rest.
cores="$(nproc)"
resources="$(cd "$build_dir" && pwd)/ctest-resources.json"
printf '{"version": {"major": 1, "minor": 0}, "local": [{"cpus": [{"id": "0", "slots": %d}]}]}\n' \
    "$cores" > "$resources"
real_clock="$(ctest --test-dir "$build_dir" -N -L real-clock | sed -n 's/^Total Tests: //p')"
ctest --test-dir "$build_dir" --output-on-failure --parallel "$((cores + ${real_clock:-0}))" \
    --resource-spec-file "$resources" --timeout 600
