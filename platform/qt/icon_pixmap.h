#pragma once
// Icon resources as Qt pictures.

#include <QIcon>
#include <QPixmap>

namespace tra1::qtui {

// The icon with this resource id, or a null pixmap / icon when there is none.
QPixmap IconPixmap(int iconId);
// The application's icon (see SetApplicationIconId) comes from the icon theme when the theme has
// one named after the application's desktop entry (QGuiApplication::desktopFileName); every
// other icon is the resource's own picture.
QIcon IconFor(int iconId);
// Which icon resource is the application's own; 0: none.
void SetApplicationIconId(int iconId);

}  // namespace tra1::qtui
