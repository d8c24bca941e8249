#pragma once

namespace tra1::compare_window {

// Dialog 171, the differences between the editor's image and another (a file, the receiver, or
// the receiver read back after a Download): what was compared, how many settings differ, and
// the list of them (setting, this image, the other), sorted by a click on a column's header.
inline constexpr int kTemplateId = 171;
inline constexpr int kWhatText = 1331;
inline constexpr int kCountText = 1332;
inline constexpr int kDifferenceList = 1333;
inline constexpr int kCloseButton = 2;  // IDCANCEL: Esc and the close box do the same

}  // namespace tra1::compare_window
