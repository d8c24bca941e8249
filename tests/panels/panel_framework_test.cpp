// The shape every panel shares, on a small panel of the tests' own: opening once and focusing
// afterwards, closing and opening afresh, the hold counter in both control modes and in its
// counter-only form, user changes that post once or not at all, Enter, the read-outs, and the
// list of panels that the main window builds its openers from.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "panels/panel_dlg.h"
#include "panels/panel_list.h"
#include "panels/panel_opener.h"
#include "platform/win/resource_registry.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

constexpr int kTemplateId = 61950;
constexpr int kLevelSlider = 1001;
constexpr int kReadout = 1002;
constexpr int kSwitch = 1003;
constexpr int kLevelMax = 20;
constexpr win::Msg kRefresh = 0x9017;         // held in realtime mode only
constexpr win::Msg kCounterRefresh = 0x9018;  // held whenever the counter runs
constexpr win::Msg kSentRefresh = 0x9019;     // delivers its change synchronously
constexpr win::Msg kChange = 0xA0F0;
constexpr int kHold = 3;

void RegisterTemplate() {
    win::DialogTemplate t;
    t.id = kTemplateId;
    t.caption = "TEST PANEL";
    win::ControlTemplate level;
    level.id = kLevelSlider;
    level.kind = win::ControlKind::kSlider;
    level.style = win::style::kVertical;
    t.controls.push_back(level);
    win::ControlTemplate readout;
    readout.id = kReadout;
    readout.kind = win::ControlKind::kEdit;
    readout.style = win::style::kReadOnly;
    t.controls.push_back(readout);
    win::ControlTemplate toggle;
    toggle.id = kSwitch;
    toggle.kind = win::ControlKind::kSlider;
    t.controls.push_back(toggle);
    win::ControlTemplate ok;
    ok.id = win::IDOK;
    ok.kind = win::ControlKind::kDefPushButton;
    ok.text = "OK";
    t.controls.push_back(ok);
    win::ResourceRegistry::Instance().AddDialog(t);
}

// Shows the delay byte on an inverted level slider with a read-out in decibels, and the dimmer
// byte on a two-position switch.
template <win::Msg RefreshMsg, HoldRule Rule, ChangeDelivery Delivery>
class TestPanel final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = RefreshMsg,
                                                 .templateId = kTemplateId,
                                                 .caption = "TEST PANEL",
                                                 .changeMessages = {kChange},
                                                 .holdCount = kHold,
                                                 .holdRule = Rule,
                                                 .delivery = Delivery};
    explicit TestPanel(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    int refreshes = 0;

protected:
    void OnInitPanel() override {
        SliderAt(kLevelSlider)->SetRange(0, kLevelMax);
        SliderAt(kSwitch)->SetRange(0, 1);
        UseReadoutColors({kReadout});
    }
    void Refresh() override {
        ++refreshes;
        const int level = Image().AudioDelay[0];
        if (cache_.Differs(0, level)) {
            SetInvertedSliderPos(kLevelSlider, level);
            cache_[0] = level;
        }
        const int dimmer = Image().DisplaySettings[0];
        if (cache_.Differs(1, dimmer)) {
            SetSliderPos(kSwitch, dimmer);
            cache_[1] = dimmer;
        }
        ShowReadout();
    }
    void OnNotify(int id, win::LParam code) override {
        if (code != win::NM_RELEASEDCAPTURE) {
            return;
        }
        if (id == kLevelSlider &&
            StoreUserChange(Image().AudioDelay[0], cache_[0], InvertedSliderValue(id), 0)) {
            ShowReadout();
        } else if (id == kSwitch) {
            StoreUserChange(Image().DisplaySettings[0], cache_[1], SliderPos(id), 1, 7);
        }
    }

private:
    void ShowReadout() { SetReadout(kReadout, (Image().AudioDelay[0] - 11) / 2.0f); }

    PanelCache<2> cache_;
};

using RealtimeHeldPanel = TestPanel<kRefresh, HoldRule::kRealtimeOnly, ChangeDelivery::kPosted>;
using CounterHeldPanel =
    TestPanel<kCounterRefresh, HoldRule::kCounterOnly, ChangeDelivery::kPosted>;
using SentChangePanel = TestPanel<kSentRefresh, HoldRule::kRealtimeOnly, ChangeDelivery::kSent>;

using Received = test::Message;

// The main window's bookkeeping for one panel: pointer and open flag, cleared by the panel.
struct PanelSlot {
    PanelOpener opener;
    PanelDlg* panel = nullptr;
    bool open = false;
    int closedCalls = 0;

    bool Show() {
        if (open) {
            panel->SetFocus();
            return true;
        }
        panel = opener([this] {
            ++closedCalls;
            open = false;
            panel = nullptr;
        });
        if (panel == nullptr) {
            return false;
        }
        open = true;
        panel->Show();
        return true;
    }
};

class PanelFrameworkTest : public ::testing::Test {
protected:
    PanelFrameworkTest() {
        RegisterTemplate();
        main_.CreateHidden();
        main_.reply = 5;  // what a sent change message gets back
        image_.AudioDelay[0] = 11;
    }

    PanelSlot SlotFor(win::Msg refresh) {
        PanelCreator creator = nullptr;
        if (refresh == kRefresh) {
            creator = &CreatePanel<RealtimeHeldPanel>;
        } else if (refresh == kCounterRefresh) {
            creator = &CreatePanel<CounterHeldPanel>;
        } else if (refresh == kSentRefresh) {
            creator = &CreatePanel<SentChangePanel>;
        }
        return PanelSlot{MakePanelOpener(creator, context_)};
    }
    static int Level(const PanelDlg& panel) {
        return panel.Get<win::Slider>(kLevelSlider)->GetPos();
    }
    int ChangesPosted() const {
        int n = 0;
        for (const Received& r : main_.received) {
            n += r.msg == kChange ? 1 : 0;
        }
        return n;
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    ReceiverImage image_;
    ModelProfile profile_;
    LinkState link_;
    test::MainWindowStub main_{loop_};
    test::OpenedPanels opened_{loop_};
    PanelContext context_{loop_, image_, profile_, link_, {}, opened_};

    void SetUp() override { context_.mainWindow = main_.Handle(); }
};

TEST_F(PanelFrameworkTest, OpensOnceFocusesAfterwardsAndStartsAfreshAfterClosing) {
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    PanelDlg* first = slot.panel;
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_EQ(first->GetPlacement(), win::Placement::kCenterScreen);
    EXPECT_EQ(Level(*first), kLevelMax - 11);
    const std::size_t windows = loop_.WindowCount();

    // Another window takes the focus; showing the panel again only gives it back.
    loop_.SetFocusedWindow(main_.Handle());
    ASSERT_TRUE(slot.Show());
    EXPECT_EQ(slot.panel, first);
    EXPECT_EQ(loop_.WindowCount(), windows);
    EXPECT_TRUE(first->HasFocus());

    // A change, then Esc: the window goes, the main window's flag is cleared once, and the
    // object is freed by the loop (the sanitizer watches the rest).
    ASSERT_TRUE(win::user::ReleaseSlider(*first, kLevelSlider, kLevelMax - 15));
    EXPECT_EQ(first->HoldCounter(), kHold);
    ASSERT_TRUE(win::user::PressEsc(*first));
    EXPECT_FALSE(slot.open);
    EXPECT_EQ(slot.closedCalls, 1);
    EXPECT_EQ(loop_.WindowCount(), windows - 1);
    loop_.DrainPosted();

    // The image moves on while the panel is closed; a new panel shows it, with no hold.
    image_.AudioDelay[0] = 4;
    link_.realtimeMode = true;
    ASSERT_TRUE(slot.Show());
    EXPECT_EQ(Level(*slot.panel), kLevelMax - 4);
    EXPECT_EQ(slot.panel->HoldCounter(), 0);

    // The close box closes too.
    ASSERT_TRUE(win::user::CloseBox(*slot.panel));
    EXPECT_FALSE(slot.open);
    EXPECT_EQ(slot.closedCalls, 2);
}

TEST_F(PanelFrameworkTest, UserChangeStoresCachesHoldsAndPostsOnce) {
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    PanelDlg& panel = *slot.panel;

    // Released where it stands, or moved with the keyboard only: nothing stored or posted.
    EXPECT_TRUE(win::user::ReleaseSlider(panel, kLevelSlider, kLevelMax - 11));
    EXPECT_TRUE(win::user::KeyboardSlider(panel, kLevelSlider, kLevelMax - 2));
    EXPECT_TRUE(win::user::ReleaseSlider(panel, kSwitch, 0));
    loop_.DrainPosted();
    EXPECT_EQ(ChangesPosted(), 0);
    EXPECT_EQ(image_.AudioDelay[0], 11);
    EXPECT_EQ(panel.HoldCounter(), 0);

    // Released higher: the inverted position is stored, the read-out follows, one message.
    ASSERT_TRUE(win::user::ReleaseSlider(panel, kLevelSlider, kLevelMax - 16));
    EXPECT_EQ(image_.AudioDelay[0], 16);
    EXPECT_EQ(panel.GetDlgItemText(kReadout), "2.5");
    EXPECT_EQ(panel.HoldCounter(), kHold);
    // Posted, not sent: the main window has it only after the handler returned.
    EXPECT_EQ(ChangesPosted(), 0);
    loop_.DrainPosted();
    ASSERT_EQ(main_.received.size(), 1u);
    EXPECT_EQ(main_.received[0].msg, kChange);
    EXPECT_EQ(main_.received[0].w, 0u);
    EXPECT_EQ(main_.received[0].l, 0);

    // The second control's item index and parameter.
    ASSERT_TRUE(win::user::ReleaseSlider(panel, kSwitch, 1));
    loop_.DrainPosted();
    ASSERT_EQ(main_.received.size(), 2u);
    EXPECT_EQ(main_.received[1].w, 1u);
    EXPECT_EQ(main_.received[1].l, 7);
    EXPECT_EQ(image_.DisplaySettings[0], 1);
}

TEST_F(PanelFrameworkTest, RealtimeHoldsTheNextNRefreshesAsynchronousNone) {
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    PanelDlg& panel = *slot.panel;

    link_.realtimeMode = true;
    ASSERT_TRUE(win::user::ReleaseSlider(panel, kLevelSlider, kLevelMax - 16));
    image_.AudioDelay[0] = 9;  // the receiver reports another value meanwhile
    for (int i = 0; i < kHold; ++i) {
        EXPECT_EQ(panel.SendMessage(kRefresh), 1);
        EXPECT_EQ(Level(panel), kLevelMax - 16) << "refresh " << i + 1;
    }
    EXPECT_EQ(panel.HoldCounter(), 0);
    panel.SendMessage(kRefresh);
    EXPECT_EQ(Level(panel), kLevelMax - 9);

    // The same change in asynchronous mode: the counter is loaded but holds nothing back.
    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(panel, kLevelSlider, kLevelMax - 12));
    EXPECT_EQ(panel.HoldCounter(), kHold);
    image_.AudioDelay[0] = 3;
    panel.SendMessage(kRefresh);
    EXPECT_EQ(Level(panel), kLevelMax - 3);

    // The main window's reset lets the next refresh through at once.
    link_.realtimeMode = true;
    ASSERT_TRUE(win::user::ReleaseSlider(panel, kLevelSlider, kLevelMax - 14));
    panel.ResetHoldCounter();
    image_.AudioDelay[0] = 5;
    panel.SendMessage(kRefresh);
    EXPECT_EQ(Level(panel), kLevelMax - 5);
}

TEST_F(PanelFrameworkTest, CounterOnlyPanelsHoldInBothModes) {
    PanelSlot slot = SlotFor(kCounterRefresh);
    ASSERT_TRUE(slot.Show());
    PanelDlg& panel = *slot.panel;

    ASSERT_TRUE(win::user::ReleaseSlider(panel, kLevelSlider, kLevelMax - 16));
    image_.AudioDelay[0] = 9;
    for (int i = 0; i < kHold; ++i) {
        panel.SendMessage(kCounterRefresh);
    }
    EXPECT_EQ(Level(panel), kLevelMax - 16);
    panel.SendMessage(kCounterRefresh);
    EXPECT_EQ(Level(panel), kLevelMax - 9);
}

TEST_F(PanelFrameworkTest, EnterAndTheOkButtonLeaveThePanelOpen) {
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    EXPECT_TRUE(win::user::PressEnter(*slot.panel));
    EXPECT_TRUE(win::user::Click(*slot.panel, win::IDOK));
    loop_.DrainPosted();
    EXPECT_TRUE(slot.open);
    EXPECT_TRUE(slot.panel->IsWindow());
    EXPECT_TRUE(slot.panel->IsWindowVisible());
}

TEST_F(PanelFrameworkTest, ReadoutsAreCyanOnBlackAndWriteNumbersShortest) {
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    const win::Control* readout = slot.panel->GetDlgItem(kReadout);
    EXPECT_EQ(readout->TextColor(), win::kCyan);
    EXPECT_EQ(readout->BackgroundColor(), win::kBlack);
    EXPECT_FALSE(slot.panel->GetDlgItem(kLevelSlider)->TextColor().has_value());
    EXPECT_EQ(slot.panel->GetDlgItemText(kReadout), "0");
    image_.AudioDelay[0] = 0;
    slot.panel->SendMessage(kRefresh);
    EXPECT_EQ(slot.panel->GetDlgItemText(kReadout), "-5.5");
    image_.AudioDelay[0] = 35;
    slot.panel->SendMessage(kRefresh);
    EXPECT_EQ(slot.panel->GetDlgItemText(kReadout), "12");
}

TEST_F(PanelFrameworkTest, OutOfRangeImageValuesReachTheControlClamped) {
    image_.AudioDelay[0] = 200;
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    EXPECT_EQ(Level(*slot.panel), 0);  // the top end of an inverted slider
    // Releasing at that end stores the slider's value, which differs from the cached 200.
    ASSERT_TRUE(win::user::ReleaseSlider(*slot.panel, kLevelSlider, 0));
    EXPECT_EQ(image_.AudioDelay[0], kLevelMax);
}

TEST_F(PanelFrameworkTest, SynchronousPanelsWaitForTheMainWindow) {
    PanelSlot slot = SlotFor(kSentRefresh);
    ASSERT_TRUE(slot.Show());
    ASSERT_TRUE(win::user::ReleaseSlider(*slot.panel, kSwitch, 1));
    // Handled before the gesture returned, nothing left in the queue.
    ASSERT_EQ(main_.received.size(), 1u);
    EXPECT_EQ(main_.received[0].msg, kChange);
    EXPECT_EQ(loop_.PostedCount(), 0u);
}

TEST_F(PanelFrameworkTest, FailedCreationLeavesThePanelClosed) {
    loop_.SetCreationFailureHook([](int id) { return id == kTemplateId; });
    PanelSlot slot = SlotFor(kRefresh);
    EXPECT_FALSE(slot.Show());
    EXPECT_FALSE(slot.open);
    EXPECT_EQ(slot.closedCalls, 0);

    // The user may try again.
    loop_.SetCreationFailureHook({});
    EXPECT_TRUE(slot.Show());

    // No creator under a message: nothing opens.
    PanelSlot none = SlotFor(0x90FF);
    EXPECT_FALSE(none.Show());
}

TEST_F(PanelFrameworkTest, TheListHoldsEveryPanelOnceWithAWorkingCreator) {
    // One entry per refresh message, 0x9000..0x9016 without 0x900F (the main window's) and
    // 0x9010 (the REPORT window's), each creator making the panel its descriptor names.
    std::vector<win::Msg> messages;
    for (const PanelEntry& entry : SettingPanels()) {
        messages.push_back(entry.descriptor->refreshMessage);
        EXPECT_EQ(FindSettingPanel(entry.descriptor->refreshMessage), &entry);
        PanelSlot slot{MakePanelOpener(entry.create, context_)};
        ASSERT_TRUE(slot.Show()) << entry.descriptor->caption;
        EXPECT_EQ(slot.panel->RefreshMessage(), entry.descriptor->refreshMessage);
        EXPECT_EQ(slot.panel->GetWindowText(), entry.descriptor->caption);
        EXPECT_EQ(slot.panel->Descriptor().templateId, entry.descriptor->templateId);
        slot.panel->DestroyWindow();
        loop_.DrainPosted();
    }
    std::vector<win::Msg> expected;
    for (win::Msg m = 0x9000; m <= 0x9016; ++m) {
        if (m != 0x900F && m != 0x9010) {
            expected.push_back(m);
        }
    }
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(FindSettingPanel(kRefresh), nullptr);

    // What the test's own opener makes is the panel its creator names.
    PanelSlot slot = SlotFor(kRefresh);
    ASSERT_TRUE(slot.Show());
    EXPECT_EQ(slot.panel->Descriptor().holdRule, HoldRule::kRealtimeOnly);
}

TEST_F(PanelFrameworkTest, APanelStillOpenGoesWithItsOpener) {
    auto slot = std::make_unique<PanelSlot>(SlotFor(kRefresh));
    ASSERT_TRUE(slot->Show());
    const std::size_t windows = loop_.WindowCount();
    slot.reset();  // the main window going: the panel's window and object go with it
    EXPECT_EQ(loop_.WindowCount(), windows - 1);
}

}  // namespace
}  // namespace tra1
