#pragma once

// The bench every panel test stands its panel on: a receiver image at its start-up defaults,
// the model profile, the link state, a virtual clock with its event loop and a hidden stand-in
// for the main window that writes down every message it receives. PanelTest<Dlg> opens the
// panel the way the main window's opener does and offers the look-ups most panel tests make.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/panel_context.h"
#include "panels/panel_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/control.h"
#include "platform/win/event_loop.h"
#include "platform/win/list_box.h"
#include "platform/win/message.h"
#include "platform/win/slider.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::test {

// One message as the main window received it.
struct Message {
    win::Msg msg;
    win::WParam w;
    win::LParam l;
    friend bool operator==(const Message&, const Message&) = default;
};

// Stands in for the main window: writes down every message it receives and answers `reply`.
// `onMessage` runs inside the handler, after the message is written down, to look at the world
// as the main window sees it at that moment.
class MainWindowStub : public win::Window {
public:
    using Window::Window;

    // Hands over every message received since the last call.
    std::vector<Message> Take();

    std::vector<Message> received;
    std::function<void()> onMessage;
    win::LResult reply = 0;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override;
};

// Counts every change of one control, to prove that a refresh left it alone.
class ChangeCounter final : public win::ControlObserver {
public:
    void ControlChanged(win::Control& control, win::ControlChange change) override;

    int changes = 0;
};

// The main window's panel table as the panels see it: every panel that the fixture opened,
// while its window lives.
class OpenedPanels final : public PanelDirectory {
public:
    explicit OpenedPanels(win::EventLoop& loop) : loop_(loop) {}
    void Add(const PanelDlg& panel) { opened_.push_back(panel.Handle()); }
    bool PostRefreshIfOpen(win::Msg refreshMessage) override;

private:
    win::EventLoop& loop_;
    std::vector<win::WindowHandle> opened_;
};

// A test fixture around one panel class `Dlg`. `MainWindow` is the main window's stand-in: a
// MainWindowStub, or a class derived from it that writes down more.
template <typename Dlg, typename MainWindow = MainWindowStub>
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        image_.ResetToDefaults(profile_);
        ASSERT_TRUE(main_.CreateHidden());
    }

    PanelContext Context() {
        return PanelContext{loop_, image_, profile_, link_, main_.Handle(), opened_};
    }

    // Creates a panel (of the fixture's class unless told otherwise) as the opener does and
    // shows it, since gestures reach only a visible window. Null when its window could not be
    // created.
    template <typename Panel = Dlg>
    std::unique_ptr<PanelDlg> Create() {
        auto created = CreatePanel<Panel>(Context(), nullptr);
        if (created) {
            opened_.Add(*created);
            created->Show();
        }
        return created;
    }
    // Opens the panel into `panel`.
    Dlg& Open() {
        panel_ = Create();
        EXPECT_NE(panel_, nullptr);
        return static_cast<Dlg&>(*panel_);
    }

    // Delivers what was posted and hands over the main window's messages since the last call.
    std::vector<Message> Posted() {
        loop_.DrainPosted();
        return main_.Take();
    }
    // Posts the panel's refresh message and delivers it.
    void SendRefresh(win::WParam w = 0) {
        loop_.Post(panel_->Handle(), Dlg::kDescriptor.refreshMessage, w);
        loop_.DrainPosted();
    }

    int Pos(int id) const { return panel_->Get<win::Slider>(id)->GetPos(); }
    win::ComboBox& Combo(int id) const { return *panel_->Get<win::ComboBox>(id); }
    int Sel(int id) const { return Combo(id).GetCurSel(); }
    win::ListBox& List(int id) const { return *panel_->Get<win::ListBox>(id); }
    std::string Text(int id) const { return panel_->GetDlgItemText(id); }
    bool Enabled(int id) const { return panel_->GetDlgItem(id)->IsEnabled(); }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    ModelProfile profile_;
    ReceiverImage image_;
    LinkState link_;
    MainWindow main_{loop_};
    OpenedPanels opened_{loop_};
    std::unique_ptr<PanelDlg> panel_;
};

}  // namespace tra1::test
