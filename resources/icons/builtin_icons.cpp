#include "resources/icons/builtin_icons.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "resources/icon_ids.h"

namespace tra1::res {

using win::IconImage;

namespace {

constexpr std::uint32_t kTransparent = 0x00000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kOutline = 0xFF202020u;

// 5 x 7 glyphs, '#' = ink. Drawn three times enlarged in the middle of a disc.
using Glyph = std::array<std::string_view, 7>;
constexpr Glyph kCross = {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"};
constexpr Glyph kQuestion = {".###.", "#...#", "....#", "..##.", "..#..", ".....", "..#.."};
constexpr Glyph kLetterA = {"..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"};
constexpr Glyph kLetterR = {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};

class Canvas {
public:
    explicit Canvas(int id) {
        icon_.id = id;
        icon_.width = kBuiltinIconSize;
        icon_.height = kBuiltinIconSize;
        icon_.argb.assign(static_cast<std::size_t>(kBuiltinIconSize * kBuiltinIconSize),
                          kTransparent);
    }

    void Set(int x, int y, std::uint32_t colour) {
        if (x >= 0 && y >= 0 && x < icon_.width && y < icon_.height) {
            icon_.argb.at(static_cast<std::size_t>(y * icon_.width + x)) = colour;
        }
    }

    void FillRect(int x0, int y0, int x1, int y1, std::uint32_t colour) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                Set(x, y, colour);
            }
        }
    }

    // A disc of radius 15 with a two-pixel dark rim, centred in the icon.
    void Disc(std::uint32_t fill) {
        const double centre = (kBuiltinIconSize - 1) / 2.0;
        for (int y = 0; y < kBuiltinIconSize; ++y) {
            for (int x = 0; x < kBuiltinIconSize; ++x) {
                const double dx = x - centre;
                const double dy = y - centre;
                const double d2 = dx * dx + dy * dy;
                if (d2 <= 15.5 * 15.5) {
                    Set(x, y, d2 >= 13.5 * 13.5 ? kOutline : fill);
                }
            }
        }
    }

    void DrawGlyph(const Glyph& glyph, std::uint32_t colour) {
        constexpr int kScale = 3;
        const int left = (kBuiltinIconSize - 5 * kScale) / 2;
        const int top = (kBuiltinIconSize - 7 * kScale) / 2;
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 5; ++col) {
                if (glyph.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col)) ==
                    '#') {
                    FillRect(left + col * kScale, top + row * kScale, left + (col + 1) * kScale,
                             top + (row + 1) * kScale, colour);
                }
            }
        }
    }

    IconImage Take() { return std::move(icon_); }

private:
    IconImage icon_;
};

IconImage StatusIcon(int id, std::uint32_t fill, const Glyph& glyph) {
    Canvas canvas(id);
    canvas.Disc(fill);
    canvas.DrawGlyph(glyph, kWhite);
    return canvas.Take();
}

IconImage ProgramIcon() {
    Canvas canvas(kIconProgram);
    canvas.FillRect(1, 8, 31, 25, kOutline);       // cabinet
    canvas.FillRect(2, 9, 30, 24, 0xFF505050u);    // front panel
    canvas.FillRect(4, 11, 20, 16, 0xFF000000u);   // display window
    canvas.FillRect(5, 12, 19, 15, 0xFF00FFFFu);   // cyan read-out
    canvas.FillRect(22, 11, 28, 17, 0xFF909090u);  // volume knob
    canvas.FillRect(24, 13, 26, 15, 0xFF303030u);
    for (int x = 4; x < 20; x += 4) {
        canvas.FillRect(x, 19, x + 2, 21, 0xFFB0B0B0u);  // buttons
    }
    canvas.FillRect(3, 25, 6, 27, kOutline);  // feet
    canvas.FillRect(26, 25, 29, 27, kOutline);
    return canvas.Take();
}

}  // namespace

std::vector<IconImage> BuiltinIcons() {
    std::vector<IconImage> icons;
    icons.push_back(ProgramIcon());
    icons.push_back(StatusIcon(kIconNotConnected, 0xFFC62828u, kCross));
    icons.push_back(StatusIcon(kIconSearching, 0xFFEF8F00u, kQuestion));
    icons.push_back(StatusIcon(kIconConnectedAsync, 0xFF2E7D32u, kLetterA));
    icons.push_back(StatusIcon(kIconConnectedRealtime, 0xFF1565C0u, kLetterR));
    return icons;
}

}  // namespace tra1::res
