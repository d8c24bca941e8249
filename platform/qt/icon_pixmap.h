#pragma once
// The program's icon resources as Qt pictures.

#include <QIcon>
#include <QPixmap>

namespace tra1::qtui {

// The icon with this resource id, or a null pixmap / icon when there is none.
QPixmap IconPixmap(int icon_id);
QIcon IconFor(int icon_id);

}  // namespace tra1::qtui
