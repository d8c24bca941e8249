// Every registered dialog is drawn into a PNG in the build tree ($TRA1_RENDER_DIR), so anyone
// can look at every window without a display. Checks that the pictures hold what matters.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <cmath>
#include <cstdlib>

#include "platform/qt/dialog_renderer.h"
#include "resources/resource_registry.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

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
    const char* env = std::getenv("TRA1_RENDER_DIR");
    const QString directory = env != nullptr && *env != 0
                                  ? QString::fromLocal8Bit(env)
                                  : QDir::temp().filePath(QStringLiteral("tra1-rendered"));
    res::ResourceRegistry& registry = res::ResourceRegistry::Instance();
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

TEST(DialogRenderTest, AnUnknownDialogGivesNoPicture) {
    testing::EnsureQtApp();
    EXPECT_TRUE(RenderDialog(4242).isNull());
}

}  // namespace
}  // namespace tra1::qtui
