#pragma once
// Icons drawn by us and embedded as pixel data, so nothing needs installing.

#include <cstdint>
#include <vector>

namespace tra1::res {

// Icon resource ids of the connection indicator.
inline constexpr int kIconNotConnected = 129;
inline constexpr int kIconSearching = 130;
inline constexpr int kIconConnectedAsync = 131;
inline constexpr int kIconConnectedRealtime = 161;
// The program's own icon (window icon and About box).
inline constexpr int kIconProgram = 128;

struct IconImage {
    int id = 0;
    int width = 0;
    int height = 0;
    // width * height pixels, row by row from the top, each 0xAARRGGBB.
    std::vector<std::uint32_t> argb;
};

}  // namespace tra1::res
