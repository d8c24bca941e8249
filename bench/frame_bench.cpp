#include <benchmark/benchmark.h>

#include "model/command_frame_builder.h"
#include "model/command_table.h"

namespace {

// One operation frame per iteration, cycling over the groups the main window sends most: a
// selection code, a channel level and a volume step.
void BuildOperationFrameBench(benchmark::State& state) {
    tra1::CommandFrameBuilder builder;
    int value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(builder.BuildCommandFrame(20, value % 38));
        benchmark::DoNotOptimize(builder.BuildCommandFrame(53, value & 0xFF));
        benchmark::DoNotOptimize(builder.BuildCommandFrame(48, value % 195));
        ++value;
    }
    state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BuildOperationFrameBench);

// The write of a DSP parameter, the longest run of the configuration download.
void BuildExtendedFrameBench(benchmark::State& state) {
    tra1::CommandFrameBuilder builder;
    int value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            builder.BuildExtendedFrame(265, 1, 0x20, value % 42, 0, value & 0xFF));
        ++value;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BuildExtendedFrameBench);

// The longest extended frame, with its text field.
void BuildInputNameFrameBench(benchmark::State& state) {
    tra1::CommandFrameBuilder builder;
    int value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            builder.BuildExtendedFrame(261, 1, value % 13, 0, 0, 0, 0, 0, "DVD"));
        ++value;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BuildInputNameFrameBench);

// What a simulated receiver does with each frame it reads.
void DecodeOperationCodeBench(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tra1::DecodeOperationCode("29B01"));
    }
}
BENCHMARK(DecodeOperationCodeBench);

}  // namespace
