#include "programs/pictures/dialog_renderer.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <utility>
#include <vector>

#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"
#include "platform/win/resource_registry.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "programs/pictures/picture_window.h"
#include "resources/compare_ids.h"
#include "resources/icon_ids.h"

namespace tra1::pictures {

namespace {

QImage WithCaption(const QPixmap& client, const QString& caption, const QIcon& icon) {
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = metrics.height() + 8;
    const int frame = 2;
    QImage image(client.width() + 2 * frame, client.height() + bar + 2 * frame,
                 QImage::Format_ARGB32);
    image.fill(QColor(90, 90, 90));
    QPainter painter(&image);
    painter.fillRect(frame, frame, client.width(), bar, QColor(0, 58, 140));
    int textX = frame + 6;
    if (!icon.isNull()) {
        const int side = bar - 6;
        icon.paint(&painter, QRect(textX, frame + 3, side, side));
        textX += side + 6;
    }
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(textX, frame, client.width() - textX, bar),
                     Qt::AlignVCenter | Qt::AlignLeft, caption);
    painter.drawPixmap(frame, frame + bar, client);
    painter.end();
    return image;
}

}  // namespace

QString RenderFileName(int templateId, int variant) {
    if (variant != 0) {
        return QStringLiteral("dialog_%1_%2.png").arg(templateId).arg(variant);
    }
    return QStringLiteral("dialog_%1.png").arg(templateId);
}

QImage RenderDialog(int templateId, int variant) {
    // A window without an icon of its own shows the program's, as in the running program.
    qtui::UseApplicationIcon(res::kIconProgram);
    // A private loop on a virtual clock: nothing that the window starts runs on its own.
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    // A box that a window raised while starting would wait for a user: answer it unseen.
    win::ScriptedPrompter prompter;
    QImage image;
    {
        qtui::QtFrontEnd frontEnd(loop);
        loop.SetPrompter(&prompter);
        PictureWindow picture(loop, templateId, variant);
        win::Dialog* dialog = picture.GetDialog();
        if (dialog == nullptr) {
            return {};
        }
        if (qtui::DialogWidget* widget = frontEnd.Host().WidgetFor(dialog->Handle())) {
            widget->adjustSize();
            QApplication::processEvents();
            image = WithCaption(widget->grab(), widget->windowTitle(), widget->windowIcon());
        }
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return image;
}

RenderReport RenderAllDialogs(const QString& directory) {
    RenderReport report;
    QDir dir(directory);
    if (!dir.mkpath(QStringLiteral("."))) {
        report.errors.push_back("cannot create " + directory.toStdString());
        return report;
    }
    std::vector<std::pair<int, int>> pictures;
    for (int id : win::ResourceRegistry::Instance().DialogIds()) {
        pictures.emplace_back(id, 0);
    }
    // The verify results, with nothing and with something found.
    pictures.emplace_back(compare_window::kTemplateId, kVerifiedPicture);
    pictures.emplace_back(compare_window::kTemplateId, kNotVerifiedPicture);
    for (const auto& [id, variant] : pictures) {
        const QImage image = RenderDialog(id, variant);
        const QString path = dir.filePath(RenderFileName(id, variant));
        if (image.isNull()) {
            report.errors.push_back("dialog " + std::to_string(id) + ": could not be created");
        } else if (!image.save(path, "PNG")) {
            report.errors.push_back("dialog " + std::to_string(id) + ": cannot write " +
                                    path.toStdString());
        } else {
            report.written.push_back(path.toStdString());
        }
    }
    return report;
}

}  // namespace tra1::pictures
