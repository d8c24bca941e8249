#pragma once
// Dialog units to pixels, by the dialog's font, the way the original toolkit lays out a template:
// one horizontal unit is a quarter of the font's average character width, one vertical unit an
// eighth of its height. A template therefore keeps its proportions under any font.

#include <QFont>
#include <QRect>

namespace tra1::qtui {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // Explicit base units (pixels per 4 horizontal / 8 vertical dialog units), for tests.
    DialogUnits(int base_x, int base_y) : base_x_(base_x), base_y_(base_y) {}

    int base_x() const { return base_x_; }
    int base_y() const { return base_y_; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;

private:
    int base_x_;
    int base_y_;
};

// The font a dialog template asks for, with the toolkit's dialog font mapped to the desktop's
// sans-serif font.
QFont DialogFont(const std::string& name, int points);

}  // namespace tra1::qtui
