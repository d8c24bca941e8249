// Keys and the wheel on the real Qt track bars of the whole editor, connected in realtime mode to
// the virtual receiver: the read-out follows every step, the value is stored and sent once the
// thumb has stood still for the idle time (on the virtual clock), and exactly once.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <string>

#include "app/volume_text.h"
#include "model/command_frame_builder.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

namespace id = main_window;
namespace mz = main_zone;

constexpr int kVolumeCommand = 48;

class SliderKeysSendOnceQtTest : public tra1::testing::EditorFixture {
protected:
    SliderKeysSendOnceQtTest() {
        testing::EnsureQtApp();
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
        portSwitch_.Wire(1, receiver_);
    }
    ~SliderKeysSendOnceQtTest() override {
        // The window goes before the front end that shows it.
        if (window_ && window_->IsWindow()) {
            window_->DestroyWindow();
        }
        loop_.DrainPosted();
        frontEnd_.reset();
        testing::FlushQtEvents();
    }

    void StartRealtime() {
        Start();
        ConnectTo(1);
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
        Advance(3000);
    }
    QSlider* SliderWidget(int control) {
        DialogWidget* widget = frontEnd_->Host().WidgetFor(Main().Handle());
        return widget != nullptr ? qobject_cast<QSlider*>(widget->ControlWidget(control)) : nullptr;
    }
    // The volume frames written since `from`, whatever their value.
    int VolumeFramesSince(std::size_t from) const {
        const std::string written = port_->Written().substr(from);
        int count = 0;
        for (int step = 0; step <= volume::kMaxStep; ++step) {
            const std::string frame(CommandFrameBuilder{}.BuildCommandFrame(kVolumeCommand, step));
            for (std::size_t at = written.find(frame); at != std::string::npos;
                 at = written.find(frame, at + frame.size())) {
                ++count;
            }
        }
        return count;
    }
    std::uint8_t Zone(std::size_t byte) { return EditorImage().MainZoneState.at(byte); }

    sim::VirtualReceiver receiver_;
    std::unique_ptr<QtFrontEnd> frontEnd_;
};

TEST_F(SliderKeysSendOnceQtTest, PageKeysOnTheVolumeStoreAndSendOnceTheThumbStandsStill) {
    StartRealtime();
    QSlider* slider = SliderWidget(id::kMainVolumeSlider);
    ASSERT_NE(slider, nullptr);
    const int before = Zone(mz::kMainVolume);
    const std::size_t written = port_->Written().size();

    slider->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(slider, Qt::Key_PageUp);
        Advance(100);  // quicker than the idle time: still one move
    }
    const int expected = before + 3 * volume::kMainPageSize;
    EXPECT_EQ(Main().GetDlgItemText(id::kMainVolumeReadout), volume::MainReadout(expected));
    EXPECT_EQ(Zone(mz::kMainVolume), before);
    EXPECT_EQ(VolumeFramesSince(written), 0);

    Advance(win::Dialog::kSliderIdleMs);
    EXPECT_EQ(Zone(mz::kMainVolume), expected);
    EXPECT_EQ(VolumeFramesSince(written), 1);
    // The receiver got it, and its next reports keep the thumb where the user left it.
    Advance(3000);
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainVolume), expected);
    EXPECT_EQ(Zone(mz::kMainVolume), expected);
    EXPECT_EQ(VolumeFramesSince(written), 1);
}

TEST_F(SliderKeysSendOnceQtTest, WheelTurnsOnTheVolumeStoreAndSendOnce) {
    StartRealtime();
    QSlider* slider = SliderWidget(id::kMainVolumeSlider);
    ASSERT_NE(slider, nullptr);
    const int before = Zone(mz::kMainVolume);
    const std::size_t written = port_->Written().size();

    const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
    for (int i = 0; i < 2; ++i) {
        QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &wheel);
    }
    EXPECT_EQ(Zone(mz::kMainVolume), before);
    Advance(win::Dialog::kSliderIdleMs);
    const int after = Zone(mz::kMainVolume);
    EXPECT_GT(after, before);  // the wheel away from the user turns the volume up
    EXPECT_EQ(VolumeFramesSince(written), 1);
    Advance(3000);
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainVolume), after);
    EXPECT_EQ(VolumeFramesSince(written), 1);
}

}  // namespace
}  // namespace tra1::qtui
