// What the editor keeps between runs: the place of the main window, the folder of the file
// dialogs, and the program's icon from the icon theme once it is installed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "platform/qt/dialog_widget.h"
#include "platform/qt/icon_pixmap.h"
#include "platform/qt/qt_front_end.h"
#include "platform/qt/remembered_places.h"
#include "platform/win/prompter.h"
#include "platform/win/virtual_clock.h"
#include "resources/icon_ids.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

class RememberedPlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApp();
        testing::RegisterTestTemplates();
        ASSERT_TRUE(scratch_.isValid());
        OpenSettings();
    }
    void TearDown() override {
        frontEnd_.reset();
        testing::FlushQtEvents();
    }

    // The settings file as a new run of the program finds it.
    void OpenSettings() {
        places_.reset();
        if (settings_) {
            settings_->sync();
        }
        settings_ = std::make_unique<QSettings>(scratch_.filePath(QStringLiteral("editor.conf")),
                                                QSettings::IniFormat);
        places_ =
            std::make_unique<RememberedPlaces>(*settings_, std::set<int>{testing::kTestDialog});
    }
    // A run of the front end: the test dialog shown, its window handed to `use`, then closed.
    template <typename Use>
    void RunDialog(int templateId, Use use) {
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
        frontEnd_->RememberPlaces(places_.get());
        testing::RecordingDialog dialog(loop_, templateId);
        ASSERT_TRUE(dialog.Create());
        dialog.Show(true);
        DialogWidget* widget = frontEnd_->Host().WidgetFor(dialog.Handle());
        ASSERT_NE(widget, nullptr);
        use(*widget);
        dialog.DestroyWindow();
        frontEnd_.reset();
        testing::FlushQtEvents();
    }

    QTemporaryDir scratch_;
    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<RememberedPlaces> places_;
    std::unique_ptr<QtFrontEnd> frontEnd_;
};

TEST_F(RememberedPlacesTest, TheRememberedWindowOpensWhereTheUserLeftItInTheLastRun) {
    QPoint firstPlace;
    QSize templateSize;
    RunDialog(testing::kTestDialog, [&](DialogWidget& widget) {
        firstPlace = widget.pos();
        templateSize = widget.size();
        widget.move(firstPlace + QPoint(37, 23));
    });
    OpenSettings();
    EXPECT_FALSE(places_->WindowGeometry(testing::kTestDialog).isEmpty());

    RunDialog(testing::kTestDialog, [&](DialogWidget& widget) {
        EXPECT_EQ(widget.pos(), firstPlace + QPoint(37, 23));
        EXPECT_EQ(widget.size(), templateSize);  // the size stays the template's
    });

    // A window that is not on the list keeps its dialog's placement and leaves nothing behind.
    settings_->clear();
    places_ = std::make_unique<RememberedPlaces>(*settings_, std::set<int>{});
    RunDialog(testing::kTestDialog, [&](DialogWidget& widget) {
        EXPECT_EQ(widget.pos(), firstPlace);
        widget.move(5, 5);
    });
    EXPECT_TRUE(settings_->allKeys().isEmpty());
}

TEST_F(RememberedPlacesTest, FileDialogsStartInTheFolderOfTheFileChosenLast) {
    ASSERT_TRUE(QDir(scratch_.path()).mkpath(QStringLiteral("receivers")));
    const QString folder = QDir(scratch_.filePath(QStringLiteral("receivers"))).absolutePath();
    const QString chosen = folder + QStringLiteral("/Living.tcf");
    frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
    frontEnd_->RememberPlaces(places_.get());
    win::FileDialogRequest request;
    request.title = "Save Configuration File";
    request.filter = "Configuration File(*.tcf)";
    request.patterns = {"*.tcf"};
    request.proposedName = "TR-A1.tcf";

    // Answers the file dialog once it is up: notes the folder it shows, then picks `pick`.
    QString shownFolder;
    auto answer = [&](const QString& pick) {
        QTimer::singleShot(0, [&shownFolder, pick] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shownFolder = dialog->directory().absolutePath();
            dialog->selectFile(pick);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept checks the name
        });
    };
    answer(chosen);
    EXPECT_EQ(frontEnd_->GetPrompter().GetSaveFileName(request), chosen.toStdString());
    OpenSettings();
    frontEnd_->RememberPlaces(places_.get());
    EXPECT_EQ(places_->FileDialogFolder(), folder);

    answer(chosen);
    frontEnd_->GetPrompter().GetSaveFileName(request);
    EXPECT_EQ(shownFolder, folder);

    // A folder that has gone since is forgotten rather than shown.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_TRUE(places_->FileDialogFolder().isEmpty());
}

TEST(ProgramIconTest, ComesFromTheIconThemeOnceInstalledAndIsBuiltInBefore) {
    testing::EnsureQtApp();
    SetApplicationIconId(res::kIconProgram);  // as the editor does at start
    const QString savedName = QGuiApplication::desktopFileName();
    const QStringList savedPaths = QIcon::themeSearchPaths();
    const QString savedTheme = QIcon::themeName();

    // Run from the build folder: the built-in 32 x 32 picture.
    QGuiApplication::setDesktopFileName(QString());
    EXPECT_EQ(IconFor(res::kIconProgram).availableSizes(), QList<QSize>{QSize(32, 32)});

    // Installed: the theme's pictures in every size under the desktop entry's name.
    QTemporaryDir themes;
    ASSERT_TRUE(themes.isValid());
    QDir hicolor(themes.filePath(QStringLiteral("hicolor")));
    QString directories;
    for (int size : {16, 256}) {
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        ASSERT_TRUE(hicolor.mkpath(sub));
        directories += (directories.isEmpty() ? "" : ",") + sub;
        QImage picture(size, size, QImage::Format_ARGB32);
        picture.fill(Qt::cyan);
        ASSERT_TRUE(picture.save(hicolor.filePath(sub + QStringLiteral("/test.tra1.Editor.png"))));
    }
    QFile index(hicolor.filePath(QStringLiteral("index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    QString text = QStringLiteral("[Icon Theme]\nName=Hicolor\nDirectories=%1\n").arg(directories);
    for (int size : {16, 256}) {
        text += QStringLiteral("[%1x%1/apps]\nSize=%1\nType=Fixed\n").arg(size);
    }
    index.write(text.toUtf8());
    index.close();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("test.tra1.Editor"));
    const QIcon themed = IconFor(res::kIconProgram);
    EXPECT_EQ(themed.pixmap(256).size(), QSize(256, 256));  // drawn at 256, not blown up from 32
    // Not in the theme: the built-in picture again.
    QGuiApplication::setDesktopFileName(QStringLiteral("test.tra1.Absent"));
    EXPECT_EQ(IconFor(res::kIconProgram).availableSizes(), QList<QSize>{QSize(32, 32)});

    QGuiApplication::setDesktopFileName(savedName);
    SetApplicationIconId(0);
    QIcon::setThemeSearchPaths(savedPaths);
    QIcon::setThemeName(savedTheme);
}

}  // namespace
}  // namespace tra1::qtui
