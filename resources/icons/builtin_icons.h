#pragma once
// The program's own icons, drawn in code at start-up (no image files to install):
//   128 program icon: a receiver front with a cyan display
//   129 not connected: red disc with a white cross
//   130 searching: amber disc with a white question mark
//   131 connected, asynchronous mode: green disc with a white "A"
//   161 connected, realtime mode: blue disc with a white "R"

#include <vector>

#include "platform/win/icon_image.h"

namespace tra1::res {

inline constexpr int kBuiltinIconSize = 32;

std::vector<win::IconImage> BuiltinIcons();

}  // namespace tra1::res
