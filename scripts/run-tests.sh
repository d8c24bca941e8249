#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
tra1_install_packages

cores="$(nproc)"
build_dir="${TRA1_TEST_BUILD_DIR:-build-test}"
# The test build: clang under the sanitizers (clang compiles it in about half the time GCC
# takes), with line tables only (-g1: file and line of each frame are all the sanitizers' reports
# need). GCC's warnings are proven by the optimised build below, which the run command's build is.
# A build folder made earlier with another compiler starts afresh (CMake would keep none of the
# options below when the compiler changes).
if [ -f "$build_dir/CMakeCache.txt" ] &&
    ! grep -Eq '^CMAKE_CXX_COMPILER:[A-Z]*=(.*/)?clang\+\+$' "$build_dir/CMakeCache.txt"; then
    rm -rf "$build_dir/CMakeCache.txt" "$build_dir/CMakeFiles"
fi
cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DTRA1_SANITIZE=ON -DTRA1_BUILD_BENCHMARKS=OFF \
    -DTRA1_UNITY_BATCH_SIZE=16
cmake --build "$build_dir" --parallel "$cores"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The tests on the real clock (label real-clock: real programs, ser2net and a line at 9600 baud,
# mostly waiting on the line) start now and run in the background, beside everything below, in a
# process group of their own; their result and output are collected at the end. They run from a
# folder of their own that includes the build's tests, so that the two ctest runs do not share
# their Testing/ logs.
real_clock_dir="$(cd "$build_dir" && pwd)/real-clock"
mkdir -p "$real_clock_dir"
printf 'subdirs("%s")\n' "$(cd "$build_dir" && pwd)" > "$real_clock_dir/CTestTestfile.cmake"
real_clock_log="$real_clock_dir/output.log"
real_clock="$(ctest --test-dir "$real_clock_dir" -N -L real-clock | sed -n 's/^Total Tests: //p')"
real_clock_pid=""
soak_pid=""
stop_background() {
    local pid
    for pid in $real_clock_pid $soak_pid; do
        kill -TERM -- "-$pid" 2>/dev/null || true
    done
}
trap stop_background EXIT
trap 'exit 130' INT TERM
if [ "${real_clock:-0}" -gt 0 ]; then
    setsid ctest --test-dir "$real_clock_dir" -L real-clock --output-on-failure \
        --parallel "$real_clock" --timeout 600 >"$real_clock_log" 2>&1 &
    real_clock_pid=$!
    echo "Tests on the real clock: $real_clock entries started (output: $real_clock_log)"
fi

# The other entries, one "cpus" slot each, one slot per core.
resources="$(cd "$build_dir" && pwd)/ctest-resources.json"
printf '{"version": {"major": 1, "minor": 0}, "local": [{"cpus": [{"id": "0", "slots": %d}]}]}\n' \
    "$cores" > "$resources"
ctest --test-dir "$build_dir" -LE real-clock --output-on-failure --parallel "$cores" \
    --resource-spec-file "$resources" --timeout 600

# The optimised build that the run command makes sees warnings the debug build does not; keep it
# building too, with the benchmarks (build-release-check/bench/tr-a1-transfer-bench measures the
# transfers against tr-a1-sim on a pseudo-terminal).
release_dir="${TRA1_RELEASE_BUILD_DIR:-build-release-check}"
# It is the run command's build (RelWithDebInfo) with line tables only: the same optimisation and
# so the same warnings, in less time.
cmake -S . -B "$release_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DTRA1_BUILD_TESTS=OFF \
    -DTRA1_BUILD_BENCHMARKS=ON -DTRA1_BUILD_SOAK_TEST=ON
cmake --build "$release_dir" --parallel "$cores"
echo "Optimised build of the editor and the virtual receiver: OK"
# A day in realtime mode on a noisy line, on the virtual clock: optimised, it takes under a minute
# of one core, so it runs in the background (a process group of its own, like the tests on the
# real clock) beside the package check and the fuzz build; its output and result come at the end.
soak_log="$release_dir/soak-output.log"
setsid "$release_dir/soak_tests" --gtest_brief=1 >"$soak_log" 2>&1 &
soak_pid=$!
echo "Soak test started (output: $soak_log)"
# The .deb from that same build, unpacked and checked file by file.
bash scripts/check-package.sh "$release_dir"

# The fuzz targets, built with clang under the sanitizers and optimised (build-fuzz), each for a
# bounded number of runs from its seeds.
bash scripts/fuzz.sh --smoke

# Waits for a job started in the background, forgets its process (so the exit trap leaves it
# alone), shows its output and fails the run if it failed.
# Usage: collect_background_job PID_VARIABLE LOG TITLE
collect_background_job() {
    local status=0
    wait "${!1}" || status=$?
    printf -v "$1" '%s' ""
    echo "$3:"
    cat "$2"
    if [ "$status" -ne 0 ]; then
        echo "$3 FAILED (exit code $status)" >&2
        exit "$status"
    fi
}

collect_background_job soak_pid "$soak_log" "Soak test"
if [ -n "$real_clock_pid" ]; then
    collect_background_job real_clock_pid "$real_clock_log" "Tests on the real clock"
fi
