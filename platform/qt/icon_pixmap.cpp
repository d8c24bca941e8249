#include "platform/qt/icon_pixmap.h"

#include <QGuiApplication>
#include <QImage>

#include "platform/win/icon_image.h"
#include "platform/win/resource_registry.h"

namespace tra1::qtui {

namespace {
int gApplicationIconId = 0;
}  // namespace

void SetApplicationIconId(int iconId) {
    gApplicationIconId = iconId;
}

QPixmap IconPixmap(int iconId) {
    const win::IconImage* icon = win::ResourceRegistry::Instance().FindIcon(iconId);
    if (icon == nullptr || icon->width <= 0 || icon->height <= 0 ||
        icon->argb.size() != static_cast<std::size_t>(icon->width) * icon->height) {
        return {};
    }
    QImage image(icon->width, icon->height, QImage::Format_ARGB32);
    for (int row = 0; row < icon->height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < icon->width; ++column) {
            line[column] = icon->argb[static_cast<std::size_t>(row) * icon->width + column];
        }
    }
    return QPixmap::fromImage(image);
}

QIcon IconFor(int iconId) {
    // Installed, the program's icon is in the icon theme under the desktop entry's name, drawn
    // for every size: sharp in a title bar, a task bar and on a HiDPI screen alike. The built-in
    // picture is for a program run from its build folder.
    if (iconId != 0 && iconId == gApplicationIconId) {
        const QString themeName = QGuiApplication::desktopFileName();
        if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) {
            return QIcon::fromTheme(themeName);
        }
    }
    const QPixmap pixmap = IconPixmap(iconId);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace tra1::qtui
