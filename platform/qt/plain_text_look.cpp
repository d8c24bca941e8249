#include "platform/qt/plain_text_look.h"

#include <QFontDatabase>
#include <QFontMetricsF>

namespace tra1::qtui {

QFont FixedPitchFont(int points) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    if (points > 0) {
        font.setPointSize(points);
    }
    return font;
}

qreal TabStopDistance(const QFont& font, QPaintDevice* device) {
    const QFontMetricsF metrics =
        device != nullptr ? QFontMetricsF(font, device) : QFontMetricsF(font);
    // A proportional font's columns are its average character; a fixed one's are all equal.
    const qreal column = font.fixedPitch() ? metrics.horizontalAdvance(QLatin1Char('0'))
                                           : metrics.averageCharWidth();
    return kTabColumns * column;
}

}  // namespace tra1::qtui
