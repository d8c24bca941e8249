#pragma once
// What a failed comparison of two receiver images means, as the tests print it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/receiver_image.h"

namespace tra1::testing {

// Where two images, as a file saves them, differ: block, offset, both values, a line each; empty
// when they are the same.
inline std::string ImageDifferences(const std::vector<std::uint8_t>& want,
                                    const std::vector<std::uint8_t>& got) {
    if (want.size() != got.size()) {
        return "sizes " + std::to_string(want.size()) + " and " + std::to_string(got.size());
    }
    std::string differences;
    std::size_t blockStart = 0;
    for (const ImageBlockInfo& block : kImageBlocks) {
        for (std::size_t offset = 0; offset < block.size; ++offset) {
            const std::size_t at = blockStart + offset;
            if (at < want.size() && want[at] != got[at]) {
                differences += std::string(block.name) + "[" + std::to_string(offset) +
                               "]: " + std::to_string(want[at]) + " is " + std::to_string(got[at]) +
                               "\n";
            }
        }
        blockStart += block.size;
    }
    return differences;
}

}  // namespace tra1::testing
