#pragma once
// How plain text with tab-aligned columns is shown and printed: the fixed-pitch font and tab
// stops every 8 columns, so that a report's tabs line its values up as they were written.

#include <QFont>
#include <QtGlobal>

class QPaintDevice;

namespace tra1::qtui {

inline constexpr int kTabColumns = 8;

// The desktop's fixed-pitch font at `points` (0: its own size).
QFont FixedPitchFont(int points = 0);
// The width of `kTabColumns` characters of `font` on `device` (the screen when null), the
// distance between two tab stops.
qreal TabStopDistance(const QFont& font, QPaintDevice* device = nullptr);

}  // namespace tra1::qtui
