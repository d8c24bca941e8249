#pragma once
// Pictures of dialogs without a display: the window of every registered dialog template, as a
// user sees it (the program's own class with its contents, see PictureWindow), shown through the
// Qt front end and grabbed into a PNG, with a drawn caption bar on top (an offscreen window has
// no window manager to draw one). Needs a QApplication; under QT_QPA_PLATFORM=offscreen nothing
// appears on screen.

#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace tra1::pictures {

struct RenderReport {
    std::vector<std::string> written;  // paths of the PNGs
    std::vector<std::string> errors;   // one line per dialog that could not be rendered
};

// The picture of dialog `template_id` (null image if it cannot be created); `variant` picks
// another content of the same window (see PictureWindow).
QImage RenderDialog(int templateId, int variant = 0);
// dialog_<id>.png for every registered dialog, and dialog_<id>_<variant>.png for the variants,
// into `directory` (created if missing).
RenderReport RenderAllDialogs(const QString& directory);
// The file name used for a dialog.
QString RenderFileName(int templateId, int variant = 0);

}  // namespace tra1::pictures
