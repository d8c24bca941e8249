// Disabled controls look disabled: a switch's end labels grey with it, and a read-out's own
// colours dim.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <memory>

#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/cinema_eq_dlg.h"
#include "panels/panel_context.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

// No other panel is open.
class NoPanels final : public PanelDirectory {
public:
    bool PostRefreshIfOpen(win::Msg /*refreshMessage*/) override { return false; }
};

QLabel* LabelWithText(DialogWidget& widget, const QString& text) {
    for (QLabel* label : widget.Client()->findChildren<QLabel*>()) {
        if (label->text() == text) {
            return label;
        }
    }
    return nullptr;
}

TEST(DisabledLookQtTest, ASwitchGreysWithItsLabelsAndAReadoutDims) {
    testing::EnsureQtApp();
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    auto frontEnd = std::make_unique<QtFrontEnd>(loop);
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    ReceiverImage image;
    image.ResetToDefaults(profile);
    LinkState link;
    NoPanels panels;
    win::Window main(loop);
    ASSERT_TRUE(main.CreateHidden());
    auto panel = std::make_unique<CCINEMAEQDlg>(
        PanelContext{loop, image, profile, link, main.Handle(), panels});
    ASSERT_TRUE(panel->Create());
    panel->Show();
    DialogWidget* widget = frontEnd->Host().WidgetFor(panel->Handle());
    ASSERT_NE(widget, nullptr);

    // The first group's switch and its "OFF" / "ON" labels (the first of each text).
    const auto& group = CCINEMAEQDlg::kGroups.at(0);
    auto* onOff = qobject_cast<QSlider*>(widget->ControlWidget(group.onOff));
    QLabel* off = LabelWithText(*widget, QStringLiteral("OFF"));
    QLabel* on = LabelWithText(*widget, QStringLiteral("ON"));
    ASSERT_NE(onOff, nullptr);
    ASSERT_NE(off, nullptr);
    ASSERT_NE(on, nullptr);
    EXPECT_TRUE(off->isEnabled());
    panel->EnableDlgItem(group.onOff, false);
    EXPECT_FALSE(onOff->isEnabled());
    EXPECT_FALSE(off->isEnabled());
    EXPECT_FALSE(on->isEnabled());
    panel->EnableDlgItem(group.onOff, true);
    EXPECT_TRUE(off->isEnabled());
    EXPECT_TRUE(on->isEnabled());

    // A read-out: cyan on black, dimmed when disabled.
    auto* readout = qobject_cast<QLineEdit*>(widget->ControlWidget(group.peqReadout));
    ASSERT_NE(readout, nullptr);
    const QPalette palette = readout->palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Text), QColor(0, 255, 255));
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Text), QColor(0, 127, 127));

    panel->DestroyWindow();
    panel.reset();
    frontEnd.reset();
    testing::FlushQtEvents();
}

}  // namespace
}  // namespace tra1::qtui
