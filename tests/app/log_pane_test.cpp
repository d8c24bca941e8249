// The protocol log in the main window's log pane: lines only while "DisplayLog" is ticked,
// unconditional writes, and the trimming that keeps the pane within its 30000-character budget
// plus the newest entries.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/log_pane.h"
#include "link/protocol_log.h"
#include "model/protocol.h"
#include "platform/win/button.h"
#include "platform/win/dialog.h"
#include "platform/win/edit.h"
#include "platform/win/event_loop.h"
#include "platform/win/resource_registry.h"
#include "platform/win/virtual_clock.h"

namespace tra1 {
namespace {

constexpr int kPaneTemplateId = 61101;

// A window with the main window's log controls: edit 1015 and check box 1016.
void RegisterPaneTemplate() {
    win::DialogTemplate t;
    t.id = kPaneTemplateId;
    t.caption = "log pane";
    win::ControlTemplate edit;
    edit.id = LogPane::kLogEditId;
    edit.kind = win::ControlKind::kEdit;
    edit.style = win::style::kMultiLine | win::style::kHidden;
    t.controls.push_back(edit);
    win::ControlTemplate check;
    check.id = LogPane::kDisplayLogCheckId;
    check.kind = win::ControlKind::kCheckBox;
    check.text = "DisplayLog";
    check.style = win::style::kHidden;
    t.controls.push_back(check);
    win::ResourceRegistry::Instance().AddDialog(t);
}

class ProtocolLogTest : public ::testing::Test {
protected:
    ProtocolLogTest() {
        RegisterPaneTemplate();
        window_.Create();
    }
    void Tick(bool on) {
        window_.Get<win::Button>(LogPane::kDisplayLogCheckId)->SetCheck(on ? 1 : 0);
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    win::Dialog window_{loop_, kPaneTemplateId};
    LogPane pane_{&window_};
    ProtocolLog log_{&pane_};
};

TEST_F(ProtocolLogTest, LinesOnlyWhileDisplayLogIsTicked) {
    EXPECT_FALSE(log_.LogEnabled());
    log_.LogLine(log_prefix::kSent,
                 "\x02"
                 "07A1D\x03");
    log_.LogIfEnabled("Com 1 --> Open\r\n");
    EXPECT_EQ(pane_.Text(), "");

    Tick(true);
    log_.LogLine(log_prefix::kSent,
                 "\x02"
                 "07A1D\x03");
    log_.LogLine(log_prefix::kReport, "0026E1");
    log_.LogIfEnabled("Com 1 --> Open\r\n");
    EXPECT_EQ(pane_.Text(),
              "(PC) EX  \x02"
              "07A1D\x03\r\n(TR-X) Report  0026E1\r\nCom 1 --> Open\r\n");

    // AppendLog itself writes whatever the check box says.
    Tick(false);
    log_.AppendLog("always\r\n");
    EXPECT_EQ(pane_.Text().substr(pane_.Text().size() - 8), "always\r\n");
}

TEST_F(ProtocolLogTest, TrimsTheFirst30000CharactersOnceBeyond30000) {
    const std::string full(30000, 'a');
    log_.AppendLog(full);
    log_.AppendLog("b");  // 30000 is not beyond: nothing trimmed
    EXPECT_EQ(pane_.Text().size(), 30001u);
    log_.AppendLog("cd");  // beyond: the first 30000 go
    EXPECT_EQ(pane_.Text(), "bcd");
}

TEST_F(ProtocolLogTest, NeverHoldsMoreThanTheBudgetPlusTheNewestEntries) {
    Tick(true);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 120);
    for (int i = 0; i < 5000; ++i) {
        const std::string body(static_cast<std::size_t>(length(random)),
                               static_cast<char>('A' + i % 26));
        log_.LogLine(log_prefix::kConfiguration, body);
        const std::string entry = std::string(log_prefix::kConfiguration) + body + "\r\n";
        const std::string text = pane_.Text();
        ASSERT_LE(text.size(), LogPane::kTrimLength + entry.size()) << i;
        // The newest entry is always whole at the end.
        ASSERT_EQ(text.substr(text.size() - entry.size()), entry) << i;
    }
}

TEST(ProtocolLogWithoutPaneTest, WritesNothingAndNeverCrashes) {
    ProtocolLog log;
    EXPECT_FALSE(log.LogEnabled());
    log.AppendLog("x");
    log.LogLine(log_prefix::kSent, "y");

    // A pane without its window writes nothing either.
    LogPane pane;
    log.SetSink(&pane);
    EXPECT_FALSE(log.LogEnabled());
    log.AppendLog("x");
    log.LogLine(log_prefix::kSent, "y");
    EXPECT_EQ(pane.Text(), "");

    // A pane whose window has gone is the same as none.
    RegisterPaneTemplate();
    win::VirtualClock clock;
    win::EventLoop loop{clock};
    win::Dialog window{loop, kPaneTemplateId};
    ASSERT_TRUE(window.Create());
    pane.SetWindow(&window);
    log.AppendLog("x");
    EXPECT_EQ(pane.Text(), "x");
    window.DestroyWindow();
    log.AppendLog("y");
    EXPECT_EQ(pane.Text(), "");
}

}  // namespace
}  // namespace tra1
