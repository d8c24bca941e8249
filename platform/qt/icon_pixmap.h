#pragma once
// The program's icon resources as Qt pictures.

#include <QIcon>
#include <QPixmap>

namespace tra1::qtui {

// The icon with this resource id, or a null pixmap / icon when there is none.
QPixmap IconPixmap(int icon_id);
// The program's icon comes from the icon theme when the theme has one named after the
// application's desktop entry (QGuiApplication::desktopFileName); every other icon is built in.
QIcon IconFor(int icon_id);

}  // namespace tra1::qtui
