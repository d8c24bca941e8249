// Real widget gestures under the offscreen platform become the same notifications as the
// window system's own gestures; programmatic changes reach the widgets and notify nobody.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "platform/qt/dialog_units.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/qt/tracking_combo_box.h"
#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/virtual_clock.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

using testing::Notification;
using Kind = Notification::Kind;

class ControlMirroringTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApp();
        testing::RegisterTestTemplates();
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
        dialog_ = std::make_unique<testing::RecordingDialog>(loop_, testing::kTestDialog);
        ASSERT_TRUE(dialog_->Create());
        dialog_->Show(true);
        widget_ = frontEnd_->Host().WidgetFor(dialog_->Handle());
        ASSERT_NE(widget_, nullptr);
        ASSERT_TRUE(widget_->isVisible());

        sliderModel_ = dialog_->Get<win::Slider>(testing::kSlider);
        sliderModel_->SetRange(0, 100);
        sliderModel_->SetPageSize(10);
        sliderModel_->SetPos(20);
        comboModel_ = dialog_->Get<win::ComboBox>(testing::kCombo);
        for (const char* item : {"AUTO", "COM1", "COM2", "COM3"}) {
            comboModel_->AddString(item);
        }
        comboModel_->SetCurSel(0);
        dialog_->seen.clear();
    }
    void TearDown() override {
        dialog_.reset();
        frontEnd_.reset();
        testing::FlushQtEvents();
    }

    template <typename W>
    W* WidgetOf(int id) {
        return dynamic_cast<W*>(widget_->ControlWidget(id));
    }
    QRect SubControl(QSlider* slider, QStyle::SubControl part) {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        // As QSlider itself: a plain vertical slider has its minimum at the bottom.
        option.upsideDown = slider->orientation() == Qt::Horizontal ? slider->invertedAppearance()
                                                                    : !slider->invertedAppearance();
        option.tickPosition = slider->tickPosition();
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, part, slider);
    }
    QPoint HandleCentre(QSlider* slider) {
        return SubControl(slider, QStyle::SC_SliderHandle).center();
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    std::unique_ptr<QtFrontEnd> frontEnd_;
    std::unique_ptr<testing::RecordingDialog> dialog_;
    DialogWidget* widget_ = nullptr;
    win::Slider* sliderModel_ = nullptr;
    win::ComboBox* comboModel_ = nullptr;
};

TEST_F(ControlMirroringTest, DraggingTheThumbGivesOneReleaseWithTheNewPosition) {
    auto* slider = WidgetOf<QSlider>(testing::kSlider);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->value(), 20);
    EXPECT_FALSE(slider->hasTracking());

    const QPoint start = HandleCentre(slider);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, start);
    ASSERT_TRUE(slider->isSliderDown());
    for (int dx = 10; dx <= 60; dx += 10) {
        QTest::mouseMove(slider, start + QPoint(dx, 0));
    }
    const int draggedTo = slider->sliderPosition();
    ASSERT_GT(draggedTo, 20);
    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 0);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, start + QPoint(60, 0));

    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 1);
    EXPECT_EQ(sliderModel_->GetPos(), draggedTo);
    EXPECT_EQ(slider->value(), draggedTo);
    // The drag itself was reported as tracking, as the toolkit does.
    EXPECT_GE(dialog_->Count(Kind::kScroll, testing::kSlider, win::TB_THUMBTRACK), 1);
}

TEST_F(ControlMirroringTest, ClickingTheGrooveGivesOneRelease) {
    auto* slider = WidgetOf<QSlider>(testing::kSlider);
    const QPoint onGroove(slider->width() * 3 / 4,
                          SubControl(slider, QStyle::SC_SliderGroove).center().y());
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, onGroove);
    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 1);
    EXPECT_GT(sliderModel_->GetPos(), 20);
    EXPECT_EQ(slider->value(), sliderModel_->GetPos());
}

TEST_F(ControlMirroringTest, KeyAndWheelMovesReleaseOnceWhenTheSliderStandsStill) {
    auto* slider = WidgetOf<QSlider>(testing::kSlider);
    sliderModel_->SetPos(70);
    EXPECT_EQ(slider->value(), 70);
    sliderModel_->SetRange(0, 50);  // clamps the position
    EXPECT_EQ(slider->maximum(), 50);
    EXPECT_EQ(slider->value(), 50);
    EXPECT_TRUE(dialog_->seen.empty());

    // Three key presses: each step is reported, the release comes once after the idle time.
    slider->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(slider, Qt::Key_Left);
    }
    EXPECT_EQ(sliderModel_->GetPos(), 47);
    EXPECT_EQ(dialog_->Count(Kind::kScroll, testing::kSlider, win::TB_ENDTRACK), 3);
    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 0);
    loop_.AdvanceBy(win::Dialog::kSliderIdleMs);
    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 1);

    // Two turns of the wheel: the same, one release.
    const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
    for (int i = 0; i < 2; ++i) {
        QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &wheel);
    }
    EXPECT_NE(sliderModel_->GetPos(), 47);
    EXPECT_EQ(slider->value(), sliderModel_->GetPos());
    loop_.AdvanceBy(win::Dialog::kSliderIdleMs - 1);
    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 1);
    loop_.AdvanceBy(1);
    EXPECT_EQ(dialog_->Count(Kind::kNotify, testing::kSlider, win::NM_RELEASEDCAPTURE), 2);
}

TEST_F(ControlMirroringTest, AVerticalSliderHasItsMinimumAtTheTopAndFillsFromTheBottom) {
    auto* slider = WidgetOf<QSlider>(testing::kVerticalSlider);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    auto* model = dialog_->Get<win::Slider>(testing::kVerticalSlider);
    model->SetRange(0, 194);
    model->SetPos(0);
    const int top = HandleCentre(slider).y();
    model->SetPos(194);
    EXPECT_GT(HandleCentre(slider).y(), top);
    // The widget's own minimum is at the bottom, where Qt's groove fills from: the toolkit's
    // position is shown mirrored, so a level slider at its top is full.
    EXPECT_FALSE(slider->invertedAppearance());
    model->SetPos(4);
    EXPECT_EQ(slider->value(), 190);
    // Up moves the thumb up, towards the toolkit's minimum.
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_EQ(model->GetPos(), 3);
    EXPECT_EQ(dialog_->Count(Kind::kScroll, testing::kVerticalSlider, win::TB_ENDTRACK), 1);
}

TEST_F(ControlMirroringTest, OpeningAndClosingTheListTracksTheDroppedDownFlag) {
    auto* combo = WidgetOf<TrackingComboBox>(testing::kCombo);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->currentIndex(), 0);

    QTest::mouseClick(combo, Qt::LeftButton);  // a user opening the list
    EXPECT_TRUE(combo->IsPopupOpen());
    EXPECT_TRUE(comboModel_->GetDroppedState());
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kCombo, win::CBN_DROPDOWN), 1);

    combo->hidePopup();
    EXPECT_FALSE(comboModel_->GetDroppedState());
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kCombo, win::CBN_CLOSEUP), 1);

    // The program opening and closing the list notifies nobody.
    dialog_->seen.clear();
    comboModel_->ShowDropDown(true);
    EXPECT_TRUE(combo->IsPopupOpen());
    comboModel_->ShowDropDown(false);
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_TRUE(dialog_->seen.empty());
}

TEST_F(ControlMirroringTest, OnlyAUsersPickRaisesASelectionChange) {
    auto* combo = WidgetOf<TrackingComboBox>(testing::kCombo);
    comboModel_->SetCurSel(2);
    EXPECT_EQ(combo->currentIndex(), 2);
    comboModel_->SetCurSel(7);  // out of range: no selection
    EXPECT_EQ(combo->currentIndex(), -1);
    comboModel_->SetCurSel(1);
    comboModel_->DeleteString(3);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_TRUE(dialog_->seen.empty());

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);  // picks the next item
    EXPECT_EQ(comboModel_->GetCurSel(), 2);
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kCombo, win::CBN_SELCHANGE), 1);
    EXPECT_EQ(dialog_->seen.size(), 1u);
}

TEST_F(ControlMirroringTest, ClicksToggleCheckBoxesAndRadioGroupsThroughTheDialog) {
    auto* check = WidgetOf<QCheckBox>(testing::kCheck);
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(dialog_->IsDlgButtonChecked(testing::kCheck), win::BST_CHECKED);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kCheck, win::BN_CLICKED), 1);
    dialog_->CheckDlgButton(testing::kCheck, win::BST_UNCHECKED);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(dialog_->seen.size(), 1u);

    auto* radioA = WidgetOf<QRadioButton>(testing::kRadioA);
    auto* radioB = WidgetOf<QRadioButton>(testing::kRadioB);
    QTest::mouseClick(radioA, Qt::LeftButton);
    QTest::mouseClick(radioB, Qt::LeftButton);
    EXPECT_FALSE(radioA->isChecked());
    EXPECT_TRUE(radioB->isChecked());
    QTest::mouseClick(radioB, Qt::LeftButton);  // a checked radio stays checked
    EXPECT_TRUE(radioB->isChecked());
    EXPECT_EQ(dialog_->IsDlgButtonChecked(testing::kRadioB), win::BST_CHECKED);
    EXPECT_EQ(dialog_->IsDlgButtonChecked(testing::kRadioA), win::BST_UNCHECKED);
}

TEST_F(ControlMirroringTest, PushButtonsReportPressReleaseAndClickInOrder) {
    QTest::mouseClick(WidgetOf<QPushButton>(testing::kPush), Qt::LeftButton);
    const std::vector<Notification> expected = {
        {Kind::kMouse, testing::kPush, 1, 0},
        {Kind::kMouse, testing::kPush, 0, 0},
        {Kind::kCommand, testing::kPush, win::BN_CLICKED, 0},
    };
    EXPECT_EQ(dialog_->seen, expected);
    // A disabled control ignores the user and shows disabled.
    dialog_->EnableDlgItem(testing::kPush, false);
    EXPECT_FALSE(WidgetOf<QPushButton>(testing::kPush)->isEnabled());
}

TEST_F(ControlMirroringTest, TypingReachesTheEditWithinItsLimit) {
    auto* model = dialog_->Get<win::Edit>(testing::kEdit);
    model->SetLimitText(4);
    auto* edit = WidgetOf<QLineEdit>(testing::kEdit);
    edit->setFocus();
    QTest::keyClicks(edit, "COM12");
    EXPECT_EQ(model->GetText(), "COM1");
    EXPECT_EQ(edit->text(), QStringLiteral("COM1"));
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kEdit, win::EN_CHANGE), 4);

    dialog_->seen.clear();
    dialog_->SetDlgItemText(testing::kEdit, "AB");
    EXPECT_EQ(edit->text(), QStringLiteral("AB"));
    EXPECT_TRUE(dialog_->seen.empty());
}

TEST_F(ControlMirroringTest, ListRowsSelectionAndDoubleClick) {
    auto* model = dialog_->Get<win::ListBox>(testing::kList);
    for (const char* row : {"Preset A", "Preset B", "Preset C"}) {
        model->AddString(row);
    }
    model->SetCurSel(0);
    auto* list = WidgetOf<QListWidget>(testing::kList);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(dialog_->seen.empty());

    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_EQ(model->GetCurSel(), 1);
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kList, win::LBN_SELCHANGE), 1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kList, win::LBN_DBLCLK), 1);
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kList, win::LBN_SELCHANGE), 1);
}

TEST_F(ControlMirroringTest, ReadoutsAreCyanOnBlack) {
    dialog_->Get<win::Edit>(testing::kReadout)->UseReadoutColors();
    auto* readout = WidgetOf<QLineEdit>(testing::kReadout);
    EXPECT_EQ(readout->palette().color(QPalette::Text), QColor(0, 255, 255));
    EXPECT_EQ(readout->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_TRUE(readout->isReadOnly());
    const QImage picture = readout->grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(picture.width() / 2, picture.height() / 2)), QColor(0, 0, 0));
}

TEST_F(ControlMirroringTest, MenusCaptionAndCloseBoxGoThroughTheDialog) {
    QMenuBar* bar = widget_->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);  // no system menu extras yet
    QMenu* file = bar->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    file->actions().at(0)->trigger();
    testing::FlushQtEvents();
    EXPECT_EQ(dialog_->Count(Kind::kCommand, testing::kMenuCommand, 0), 1);

    // An item added to the system menu shows as Help > item.
    dialog_->GetSystemMenu().AppendSeparator();
    dialog_->GetSystemMenu().AppendCommand(win::IDM_ABOUTBOX, "&About Tolvek Receiver Editor...");
    bar = widget_->MenuBar();
    ASSERT_EQ(bar->actions().size(), 2);
    QMenu* help = bar->actions().at(1)->menu();
    ASSERT_EQ(help->actions().size(), 1);
    EXPECT_EQ(help->actions().at(0)->text(), QStringLiteral("&About Tolvek Receiver Editor..."));
    help->actions().at(0)->trigger();
    testing::FlushQtEvents();
    EXPECT_EQ(dialog_->systemCommands, std::vector<unsigned>{win::IDM_ABOUTBOX});

    dialog_->SetWindowText("Renamed");
    EXPECT_EQ(widget_->windowTitle(), QStringLiteral("Renamed"));
    // The close box asks the dialog, which (not being modal) hides.
    widget_->close();
    EXPECT_FALSE(dialog_->IsWindowVisible());
    EXPECT_FALSE(widget_->isVisible());
}

TEST_F(ControlMirroringTest, WindowsAreSizedByDialogUnitsAndCentredOverTheirOwner) {
    const DialogUnits& units = widget_->Units();
    EXPECT_EQ(widget_->Client()->size(), QSize(units.ToPixelsX(260), units.ToPixelsY(200)));
    EXPECT_EQ(widget_->ControlWidget(testing::kPush)->geometry(), units.ToPixels(120, 90, 50, 14));

    testing::RecordingDialog owned(loop_, testing::kTestDialog);
    ASSERT_TRUE(owned.Create(dialog_->Handle()));
    owned.CenterWindow(dialog_->Handle());
    owned.Show(true);
    DialogWidget* ownedWidget = frontEnd_->Host().WidgetFor(owned.Handle());
    ASSERT_NE(ownedWidget, nullptr);
    EXPECT_EQ(ownedWidget->parentWidget(), widget_);  // stays above its owner
    const QPoint offset = ownedWidget->frameGeometry().center() - widget_->frameGeometry().center();
    // Within the window frame, which is unknown until a window is first shown.
    EXPECT_LE(offset.manhattanLength(), 8);
}

TEST_F(ControlMirroringTest, DestroyingTheDialogRemovesItsWindow) {
    QPointer<DialogWidget> watched(widget_);
    dialog_->DestroyWindow();
    EXPECT_EQ(frontEnd_->Host().WidgetFor(dialog_->Handle()), nullptr);
    testing::FlushQtEvents();
    EXPECT_TRUE(watched.isNull());
}

}  // namespace
}  // namespace tra1::qtui
