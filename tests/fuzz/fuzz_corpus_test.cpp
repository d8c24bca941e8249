// Every committed input of the fuzz targets, seeds and the inputs of past findings, run through
// the targets' entries in the ordinary test build: a fault a fuzzer once found stays found.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_targets.h"

namespace tra1::fuzz {
namespace {

using Entry = int (*)(const std::uint8_t*, std::size_t);

struct Target {
    const char* name;
    Entry entry;
};

std::vector<std::filesystem::path> InputsOf(const std::string& name) {
    std::vector<std::filesystem::path> inputs;
    for (const char* kind : {"corpus", "regressions"}) {
        const std::filesystem::path dir = std::filesystem::path(TRA1_FUZZ_DIR) / kind / name;
        if (!std::filesystem::is_directory(dir)) {
            continue;
        }
        for (const auto& file : std::filesystem::directory_iterator(dir)) {
            if (file.is_regular_file()) {
                inputs.push_back(file.path());
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

class FuzzCorpusTest : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzCorpusTest, EveryCommittedInputRunsThrough) {
    const Target target = GetParam();
    const std::vector<std::filesystem::path> inputs = InputsOf(target.name);
    ASSERT_FALSE(inputs.empty()) << "no seed corpus for " << target.name;
    for (const auto& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>()};
        SCOPED_TRACE(path.string());
        EXPECT_EQ(target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  0);
    }
    // The empty input too.
    EXPECT_EQ(target.entry(nullptr, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpusTest,
                         ::testing::Values(Target{"reply_path", &FuzzReplyPath},
                                           Target{"editor_line", &FuzzEditorLine},
                                           Target{"configuration_file", &FuzzConfigurationFile},
                                           Target{"virtual_receiver", &FuzzVirtualReceiver}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tra1::fuzz
