#!/usr/bin/env bash
# Builds the libFuzzer targets with Debian's clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them.
#
#   bash scripts/fuzz.sh --smoke                 each target for a bounded number of executions
#                                                from its seed corpus (the test command runs this)
#   bash scripts/fuzz.sh --seconds N [TARGET...] each target (or those named) for N seconds,
#                                                keeping what it learns in build-fuzz/corpus/TARGET
#   --prebuilt DIR                               with either: run the fuzz programs that DIR (a
#                                                build configured with -DTRA1_FUZZ=ON, such as the
#                                                test command's build-test) already holds, instead
#                                                of configuring and building build-fuzz
#
# Targets: reply-path editor-line configuration-file virtual-receiver. A long run prints, per
# target, its executions, its coverage and any finding; a finding is kept in
# build-fuzz/findings/TARGET/. Put the input of a finding into fuzz/regressions/TARGET/ once it is
# mended: the test build runs every file there through the target.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=""
seconds=0
prebuilt=""
selected=()
while [ $# -gt 0 ]; do
    case "$1" in
        --smoke) mode=smoke ;;
        --seconds) mode=long; seconds="${2:?--seconds needs a number}"; shift ;;
        --prebuilt) prebuilt="${2:?--prebuilt needs a build folder}"; shift ;;
        -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
        *) selected+=("$1") ;;
    esac
    shift
done
if [ -z "$mode" ]; then
    echo "usage: bash scripts/fuzz.sh --smoke | --seconds N [TARGET...] [--prebuilt DIR]" >&2
    exit 2
fi

all_targets=(reply-path editor-line configuration-file virtual-receiver)
if [ "${#selected[@]}" -eq 0 ]; then
    selected=("${all_targets[@]}")
fi
# Executions per target in the bounded run: under ten seconds each on a loaded two-core machine,
# so that the four stay under a minute together. Each is also capped: at 12 seconds when they run
# one after another, at 24 when two or more run at once, so that on a loaded machine each still has
# about the processor time it had alone and the four together still stop within 48 seconds.
declare -A smoke_runs=([reply-path]=12000 [editor-line]=150 [configuration-file]=300
                       [virtual-receiver]=10000)

if [ -n "$prebuilt" ]; then
    build_dir="$prebuilt"
    for t in "${selected[@]}"; do
        if [ ! -x "$build_dir/fuzz/$t-fuzzer" ]; then
            echo "fuzz: $build_dir/fuzz/$t-fuzzer is not built (configure with -DTRA1_FUZZ=ON)" >&2
            exit 2
        fi
    done
else
    build_dir="${TRA1_FUZZ_BUILD_DIR:-build-fuzz}"
    # Optimised, with line tables only: file and line of each frame are all that a finding's
    # report needs.
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
        -DTRA1_FUZZ=ON -DTRA1_SANITIZE=ON -DTRA1_WITH_QT=OFF -DTRA1_BUILD_TESTS=OFF \
        -DTRA1_BUILD_BENCHMARKS=OFF -DTRA1_UNITY_BATCH_SIZE=16 >/dev/null
    targets=()
    for t in "${selected[@]}"; do
        targets+=("$t-fuzzer")
    done
    cmake --build "$build_dir" --parallel "$(nproc)" --target "${targets[@]}"
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
if [ "$mode" = smoke ]; then
    # One fuzz program per core at a time (each runs on one); every result is collected, and a
    # failing one fails the smoke with the end of its log, whatever the others did.
    scratch_root="$(mktemp -d)"
    declare -A smoke_pid=()
    stop_smoke() {
        local pid
        for pid in "${smoke_pid[@]}"; do
            kill "$pid" 2>/dev/null || true
        done
        rm -rf "$scratch_root"
    }
    trap stop_smoke EXIT
    jobs_at_once="$(nproc)"
    smoke_cap=$((jobs_at_once > 1 ? 24 : 12))
    report_smoke() {
        local t="$1" log="$build_dir/findings/$1/smoke.log"
        if wait "${smoke_pid[$t]}"; then
            echo "fuzz $t: $(grep -E '^Done [0-9]+ runs' "$log" | tail -1)," \
                "$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)"
        else
            echo "fuzz $t: FAILED (see $log)" >&2
            tail -40 "$log" >&2
            status=1
        fi
    }
    started=()
    for t in "${selected[@]}"; do
        if [ "${#started[@]}" -ge "$jobs_at_once" ]; then
            report_smoke "${started[0]}"
            started=("${started[@]:1}")
        fi
        findings="$build_dir/findings/$t"
        mkdir -p "$findings" "$scratch_root/$t"
        # New inputs go to a scratch folder, never into the committed seeds.
        "$build_dir/fuzz/$t-fuzzer" "$scratch_root/$t" "fuzz/corpus/${t//-/_}" \
            -runs="${smoke_runs[$t]}" -max_total_time="$smoke_cap" -seed=1 \
            -artifact_prefix="$findings/" \
            >"$findings/smoke.log" 2>&1 &
        smoke_pid[$t]=$!
        started+=("$t")
    done
    for t in "${started[@]}"; do
        report_smoke "$t"
    done
    exit "$status"
fi
# Long runs, one target after another.
for t in "${selected[@]}"; do
    seeds="fuzz/corpus/${t//-/_}"
    findings="$build_dir/findings/$t"
    mkdir -p "$findings"
    corpus="$build_dir/corpus/$t"
    mkdir -p "$corpus"
    log="$findings/run-$(date +%Y%m%d-%H%M%S).log"
    if "$build_dir/fuzz/$t-fuzzer" "$corpus" "$seeds" -max_total_time="$seconds" \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING (see $log and $findings/)"
        status=1
    fi
    execs="$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo '?')"
    cov="$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || echo '?')"
    echo "fuzz $t: ${seconds}s, $execs executions, $cov, corpus $(ls "$corpus" | wc -l) inputs, $result"
done
exit "$status"
