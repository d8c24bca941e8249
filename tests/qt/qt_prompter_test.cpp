// The Qt prompter's mapping between the program's boxes and Qt's, and the small conversions of
// the front end. Boxes are built but never run (they would wait for a user).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "platform/qt/dialog_units.h"
#include "platform/qt/qt_prompter.h"
#include "platform/qt/qt_text.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

TEST(QtPrompterTest, ButtonsAnswersAndEscapeFollowTheToolkit) {
    EXPECT_EQ(QtPrompter::ButtonsFor(win::Buttons::kYesNoCancel),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(QtPrompter::ButtonsFor(win::Buttons::kOkCancel),
              QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(QtPrompter::AnswerFor(QMessageBox::Yes), win::Answer::kYes);
    EXPECT_EQ(QtPrompter::AnswerFor(QMessageBox::No), win::Answer::kNo);
    EXPECT_EQ(QtPrompter::AnswerFor(QMessageBox::Ok), win::Answer::kOk);
    EXPECT_EQ(QtPrompter::AnswerFor(QMessageBox::Retry), win::Answer::kRetry);
    EXPECT_EQ(QtPrompter::AnswerFor(QMessageBox::Cancel), win::Answer::kCancel);
    EXPECT_EQ(QtPrompter::AnswerFor(QMessageBox::NoButton), win::Answer::kCancel);
    EXPECT_EQ(QtPrompter::EscapeFor(win::Buttons::kOk), QMessageBox::Ok);
    EXPECT_EQ(QtPrompter::EscapeFor(win::Buttons::kYesNoCancel), QMessageBox::Cancel);
    EXPECT_EQ(QtPrompter::EscapeFor(win::Buttons::kYesNo), QMessageBox::NoButton);
}

TEST(QtPrompterTest, ABoxShowsTheExactTextAndTheDefaultTitle) {
    testing::EnsureQtApp();
    QtPrompter prompter(nullptr);
    win::MessageBoxRequest request;
    request.text = "Dialog Creating Error\r\nWait Message";
    request.buttons = win::Buttons::kOkCancel;
    request.icon = win::BoxIcon::kWarning;
    const auto box = prompter.MakeBox(request);
    EXPECT_EQ(box->text(), QStringLiteral("Dialog Creating Error\nWait Message"));
    EXPECT_EQ(box->windowTitle(), QString::fromStdString(prompter.DefaultTitle()));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel));

    request.title = "Tolvek Receiver Editor Message";
    EXPECT_EQ(prompter.MakeBox(request)->windowTitle(),
              QStringLiteral("Tolvek Receiver Editor Message"));
}

TEST(QtPrompterTest, FileFiltersAndOverlongPaths) {
    win::FileDialogRequest request;
    request.filter = "Configuration File(*.tcf)";
    request.patterns = {"*.tcf"};
    request.maxPath = 20;
    EXPECT_EQ(QtPrompter::NameFilterFor(request),
              QStringLiteral("Configuration File(*.tcf) (*.tcf)"));
    EXPECT_EQ(QtPrompter::Accepted(QStringLiteral("/tmp/a.tcf"), request),
              std::optional<std::string>("/tmp/a.tcf"));
    EXPECT_EQ(QtPrompter::Accepted(QStringLiteral("/tmp/much/too/long/name.tcf"), request),
              std::nullopt);
    EXPECT_EQ(QtPrompter::Accepted(QString(), request), std::nullopt);
}

TEST(FrontEndConversionsTest, DialogUnitsScaleByTheFontsBaseUnits) {
    const DialogUnits units(6, 13);  // the toolkit's classic 8-point dialog font
    EXPECT_EQ(units.ToPixels(10, 8, 50, 14), QRect(15, 13, 75, 23));
    EXPECT_EQ(units.ToPixelsX(1), 2);  // 1.5 rounds up
    EXPECT_EQ(units.ToPixelsY(-8), -13);

    testing::EnsureQtApp();
    const DialogUnits fromFont(DialogFont("MS Shell Dlg", 8));
    EXPECT_GE(fromFont.BaseX(), 4);
    EXPECT_GE(fromFont.BaseY(), 9);
}

TEST(FrontEndConversionsTest, TextsKeepTheirBytesAndLineBreaks) {
    EXPECT_EQ(ToQString("a\r\nb"), QStringLiteral("a\nb"));
    EXPECT_EQ(ToQString("Caf\xC3\xA9"), QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(ToQString("Caf\xE9"), QStringLiteral("Caf\u00E9"));  // a single-byte name
    EXPECT_EQ(FromQString(QStringLiteral("a\nb"), true), "a\r\nb");
    EXPECT_EQ(FromQString(QStringLiteral("a\r\nb"), true), "a\r\nb");
    EXPECT_EQ(WithoutMnemonics(QStringLiteral("&File && Edit")), QStringLiteral("File & Edit"));
}

}  // namespace
}  // namespace tra1::qtui
