#pragma once
// How the dialog templates write one control: its id, kind, text, style and its place and size in
// dialog units, in the order a resource script lists them.

#include <cstdint>
#include <string>
#include <utility>

#include "resources/resource_makers.h"

namespace tra1::res {

inline ControlTemplate MakeControl(int id, ControlKind kind, std::string text,
                                   std::uint32_t controlStyle, int x, int y, int cx, int cy) {
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = std::move(text);
    c.style = controlStyle;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}

// A label nobody addresses, one line (8 dialog units) high.
inline ControlTemplate MakeLabel(std::string text, int x, int y, int cx,
                                 std::uint32_t extra = style::kNone) {
    return MakeControl(-1, ControlKind::kStatic, std::move(text), extra, x, y, cx, 8);
}

}  // namespace tra1::res
