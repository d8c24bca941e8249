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
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;

private:
    int baseX_;
    int baseY_;
};

// The font a dialog template asks for, with the toolkit's dialog font mapped to the desktop's
// sans-serif font.
QFont DialogFont(const std::string& name, int points);

}  // namespace tra1::qtui
