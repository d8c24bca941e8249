#pragma once
// An icon resource as pixel data, so nothing needs installing.

#include <cstdint>
#include <vector>

namespace tra1::win {

struct IconImage {
    int id = 0;
    int width = 0;
    int height = 0;
    // width * height pixels, row by row from the top, each 0xAARRGGBB.
    std::vector<std::uint32_t> argb;
};

}  // namespace tra1::win
