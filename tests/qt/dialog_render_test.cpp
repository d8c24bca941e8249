// Every registered dialog is drawn into a PNG in the build tree ($TRA1_RENDER_DIR), so anyone
// can look at every window without a display: the main window, the panels and the small windows
// as the program fills them. Checks that the pictures hold what matters.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "app/about_dlg.h"
#include "app/main_window_ids.h"
#include "app/panel_table.h"
#include "app/port_settings_dlg.h"
#include "app/receiver_editor_dlg.h"
#include "app/wait_message_dlg.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/resource_registry.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "programs/pictures/dialog_renderer.h"
#include "programs/pictures/picture_window.h"
#include "resources/compare_ids.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

using pictures::PictureWindow;
using pictures::RenderAllDialogs;
using pictures::RenderDialog;
using pictures::RenderFileName;
using pictures::RenderReport;

// How many different colours the picture holds (text, frames and fields give dozens).
int CountColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

// Pixels near a colour (the style shades the bar slightly).
int CountPixels(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            count += std::abs(pixel.red() - colour.red()) < 40 &&
                             std::abs(pixel.green() - colour.green()) < 40 &&
                             std::abs(pixel.blue() - colour.blue()) < 40
                         ? 1
                         : 0;
        }
    }
    return count;
}

TEST(DialogRenderTest, EveryDialogBecomesAPictureInTheRenderDirectory) {
    testing::EnsureQtApp();
    // $TRA1_RENDER_DIR when set, else the build tree's rendered/ folder that the build names.
    const char* env = std::getenv("TRA1_RENDER_DIR");
    const QString directory = env != nullptr && *env != 0 ? QString::fromLocal8Bit(env)
                                                          : QStringLiteral(TRA1_RENDER_DIR_DEFAULT);
    win::ResourceRegistry& registry = win::ResourceRegistry::Instance();
    ASSERT_NE(registry.FindDialog(100), nullptr);
    ASSERT_NE(registry.FindDialog(164), nullptr);

    const RenderReport report = RenderAllDialogs(directory);
    for (const std::string& error : report.errors) {
        ADD_FAILURE() << error;
    }
    for (int id : {100, 164}) {
        const QString path = QDir(directory).filePath(RenderFileName(id));
        EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    }

    // The main window, every panel (the REPORT window among them), the About box and the wait
    // window: each a picture with something drawn in it, not an empty face.
    std::vector<int> windows{CReceiverEditorDlg::kTemplateId, CAboutDlg::kTemplateId,
                             CWaitMessageDlg::kTemplateId, CPORTSETTINGSDlg::kTemplateId};
    for (const PanelDescriptor& info : PanelDescriptors()) {
        windows.push_back(info.templateId);
    }
    for (int id : windows) {
        const QString path = QDir(directory).filePath(RenderFileName(id));
        const QImage picture(path);
        ASSERT_FALSE(picture.isNull()) << path.toStdString();
        EXPECT_GT(picture.width(), 150) << id;
        EXPECT_GT(picture.height(), 60) << id;
        EXPECT_GT(CountColours(picture), 24) << id;
    }

    // Read-outs are cyan on black once the program's code has run: the main window's volume
    // and program read-outs, the levels of SPEAKER LEVEL and INPUT TRIM.
    for (int id : {CReceiverEditorDlg::kTemplateId, 140, 213}) {
        const QImage picture(QDir(directory).filePath(RenderFileName(id)));
        EXPECT_GT(CountPixels(picture, QColor(0, 0, 0)), 200) << id;
        EXPECT_GT(CountPixels(picture, QColor(0, 255, 255)), 20) << id;
    }

    // The compare window: a compare with a file, a verify that found nothing and one that found
    // differences, each with its list drawn.
    for (int variant : {0, pictures::kVerifiedPicture, pictures::kNotVerifiedPicture}) {
        const QString path =
            QDir(directory).filePath(RenderFileName(compare_window::kTemplateId, variant));
        const QImage picture(path);
        ASSERT_FALSE(picture.isNull()) << path.toStdString();
        EXPECT_GT(picture.width(), 300) << variant;
        EXPECT_GT(picture.height(), 200) << variant;
        EXPECT_GT(CountColours(picture), 24) << variant;
    }

    // The About box: the program's title in dark text on the dialog's light face.
    const QImage about(QDir(directory).filePath(RenderFileName(100)));
    ASSERT_FALSE(about.isNull());
    EXPECT_GT(about.width(), 200);
    EXPECT_GT(about.height(), 60);

    // The wait window shows its bar cyan on black, a third of the way.
    const QImage wait(QDir(directory).filePath(RenderFileName(164)));
    ASSERT_FALSE(wait.isNull());
    const int cyan = CountPixels(wait, QColor(0, 255, 255));
    const int black = CountPixels(wait, QColor(0, 0, 0));
    EXPECT_GT(cyan, 100);
    EXPECT_GT(black, cyan);  // two thirds still to go
}

// The windows behind the pictures hold what a user sees: no combo box and no list that the user
// can see is empty, and the main window's read-outs are cyan on black.
TEST(DialogRenderTest, ThePicturedWindowsAreFilledByTheProgram) {
    testing::EnsureQtApp();
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd frontEnd(loop);
    win::ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);

    std::vector<int> windows{CReceiverEditorDlg::kTemplateId};
    for (const PanelDescriptor& info : PanelDescriptors()) {
        windows.push_back(info.templateId);
    }
    int combos = 0;
    int lists = 0;
    for (int id : windows) {
        SCOPED_TRACE(id);
        PictureWindow picture(loop, id);
        ASSERT_NE(picture.GetDialog(), nullptr);
        DialogWidget* widget = frontEnd.Host().WidgetFor(picture.GetDialog()->Handle());
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->isVisible());
        for (QComboBox* combo : widget->Client()->findChildren<QComboBox*>()) {
            if (combo->isVisibleTo(widget)) {
                ++combos;
                EXPECT_GT(combo->count(), 0);
                EXPECT_FALSE(combo->currentText().isEmpty());
            }
        }
        for (QListWidget* list : widget->Client()->findChildren<QListWidget*>()) {
            if (list->isVisibleTo(widget)) {
                ++lists;
                EXPECT_GT(list->count(), 0);
            }
        }
        if (id == CReceiverEditorDlg::kTemplateId) {
            EXPECT_EQ(widget->windowTitle(),
                      QString::fromUtf8("Untitled \u2013 Tolvek Receiver Editor for TR-A1"));
            auto* status = qobject_cast<QLabel*>(widget->ControlWidget(main_window::kStatusLine));
            ASSERT_NE(status, nullptr);
            EXPECT_EQ(status->text(), QString::fromUtf8("Not connected \u00B7 Asynchronous mode"));
            auto* volume =
                qobject_cast<QLineEdit*>(widget->ControlWidget(main_window::kMainVolumeReadout));
            ASSERT_NE(volume, nullptr);
            EXPECT_FALSE(volume->text().isEmpty());
            EXPECT_EQ(volume->palette().color(QPalette::Text), QColor(0, 255, 255));
            EXPECT_EQ(volume->palette().color(QPalette::Base), QColor(0, 0, 0));
        }
    }
    EXPECT_GT(combos, 20);
    EXPECT_GT(lists, 3);
    EXPECT_TRUE(prompter.Boxes().empty());
    testing::FlushQtEvents();
}

TEST(DialogRenderTest, AnUnknownDialogGivesNoPicture) {
    testing::EnsureQtApp();
    EXPECT_TRUE(RenderDialog(4242).isNull());
}

}  // namespace
}  // namespace tra1::qtui
