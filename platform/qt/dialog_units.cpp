#include "platform/qt/dialog_units.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>
#include <string>

namespace tra1::qtui {

namespace {
// Rounded a * b / c, as the toolkit's MulDiv.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The toolkit's average width: the 52 letters' extent / 26, halved with rounding.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (letters / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

int DialogUnits::ToPixelsX(int units) const {
    return MulDiv(units, baseX_, 4);
}
int DialogUnits::ToPixelsY(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy));
}

QFont DialogFont(const std::string& name, int points) {
    QFont font = QApplication::font();
    // The toolkit's logical dialog fonts do not exist here: keep the desktop's family.
    if (!name.empty() && name != "MS Shell Dlg" && name != "MS Shell Dlg 2" &&
        name != "MS Sans Serif") {
        font.setFamily(QString::fromStdString(name));
    }
    if (points > 0) {
        font.setPointSize(points);
    }
    return font;
}

}  // namespace tra1::qtui
