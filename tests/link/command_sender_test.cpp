// Sending: what passes in each control mode, the queue and its rules, the reply time-out with
// its five sends against a silent virtual receiver, and the 10 ms tick's waiting counter.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/log_pane.h"
#include "link/caux_timer_dlg.h"
#include "link/command_sender.h"
#include "link/crs232c_dlg.h"
#include "link/frame_assembler.h"
#include "link/frame_sink.h"
#include "link/link_state.h"
#include "link/protocol_log.h"
#include "model/command_frame_builder.h"
#include "platform/serial/in_memory_serial_port.h"
#include "platform/win/button.h"
#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"
#include "platform/win/resource_registry.h"
#include "platform/win/virtual_clock.h"
#include "sim/virtual_receiver.h"
#include "sim/win_line_clock.h"

namespace tra1 {
namespace {

constexpr int kMainTemplateId = 61102;
const std::string kStatusRequestFrame =
    "\x11"
    "000\x03";

void RegisterMainTemplate() {
    win::DialogTemplate t;
    t.id = kMainTemplateId;
    t.caption = "main window double";
    win::ControlTemplate edit;
    edit.id = LogPane::kLogEditId;
    edit.kind = win::ControlKind::kEdit;
    edit.style = win::style::kMultiLine;
    t.controls.push_back(edit);
    win::ControlTemplate check;
    check.id = LogPane::kDisplayLogCheckId;
    check.kind = win::ControlKind::kCheckBox;
    t.controls.push_back(check);
    win::ResourceRegistry::Instance().AddDialog(t);
}

// The main window's wiring, and nothing more: timers and the tick go to the sender, a batch to
// the assembler.
class MainWindowDouble final : public win::Dialog {
public:
    explicit MainWindowDouble(win::EventLoop& loop) : Dialog(loop, kMainTemplateId) {}
    CommandSender* sender = nullptr;
    std::function<void()> onBatch;

protected:
    void OnTimer(win::TimerId id) override {
        if (sender != nullptr) {
            sender->OnTimer(id);
        }
    }
    win::LResult OnMessage(win::Msg msg, win::WParam, win::LParam) override {
        if (msg == CAUXTIMERDlg::kTickMessage && sender != nullptr) {
            sender->OnAuxTick();
        } else if (msg == CRS232CDlg::kBatchMessage && onBatch) {
            onBatch();
        }
        return 0;
    }
};

class HostDouble final : public CommandSenderHost {
public:
    void SearchPort(int port) override { searched.push_back(port); }
    void ShowReceiverGone() override { ++gone; }
    void ReplyGivenUp() override { ++givenUp; }
    void UploadStep() override { ++uploadSteps; }
    void DownloadStep() override { ++downloadSteps; }
    void RealtimeStep() override { ++realtimeSteps; }

    std::vector<int> searched;
    int gone = 0;
    int givenUp = 0;
    int uploadSteps = 0;
    int downloadSteps = 0;
    int realtimeSteps = 0;
};

// Takes a configuration frame as the answer to a queued status request, the way the connector
// does; counts the rest.
class AnsweringSink final : public FrameSink {
public:
    explicit AnsweringSink(LinkState& state) : state_(state) {}
    CommandSender* sender = nullptr;
    int configurations = 0;
    int reports = 0;

    void OnConfigurationFrame(std::string_view) override {
        ++configurations;
        const int command = sender->CurrentQueuedCommand();
        if (command == 255 || command == 8 || command == 28) {
            sender->StopReplyTimeout();
            state_.waiting = 0;
            sender->AdvanceQueueIndex();
            state_.waitingCounter = 0;
            state_.previousAwaitedFunction = LinkState::kNone;
        }
    }
    void OnReportFrame(std::string_view) override { ++reports; }
    void OnExtendedReply(std::string_view) override {}

private:
    LinkState& state_;
};

// The virtual receiver, noting when each frame reached it.
class TimedFarEnd final : public serial::FarEnd {
public:
    TimedFarEnd(const win::Clock& clock, sim::VirtualReceiver& receiver)
        : clock_(clock), receiver_(receiver) {}
    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        heard.emplace_back(clock_.NowMs(), std::string(bytes));
        return receiver_.Receive(bytes);
    }
    std::vector<std::pair<std::int64_t, std::string>> heard;

private:
    const win::Clock& clock_;
    sim::VirtualReceiver& receiver_;
};

class CommandSenderTest : public ::testing::Test {
protected:
    CommandSenderTest() {
        RegisterMainTemplate();
        main_.Create();
        rs232c_.Create(main_.Handle());
        main_.sender = &sender_;
        sink_.sender = &sender_;
        main_.onBatch = [this] {
            assembler_.Feed(rs232c_.ReceivedBatch());
            rs232c_.SetReceiveEnabled(1);
        };
        rs232c_.SetLinkState(kOpenPortSlot, 3);
        rs232c_.OpenPort();
        SetLogTicked(true);
    }

    void SetLogTicked(bool on) {
        main_.Get<win::Button>(LogPane::kDisplayLogCheckId)->SetCheck(on ? 1 : 0);
    }
    std::string Written() const { return port_.Written(); }
    std::vector<std::int64_t> HeardTimes() const {
        std::vector<std::int64_t> times;
        for (const auto& [time, bytes] : farEnd_.heard) {
            times.push_back(time);
        }
        return times;
    }
    static int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    LinkState state_;
    sim::VirtualReceiver receiver_;
    TimedFarEnd farEnd_{clock_, receiver_};
    sim::WinLineClock lineClock_{clock_};
    serial::InMemorySerialPort port_{lineClock_, farEnd_};
    MainWindowDouble main_{loop_};
    CRS232CDlg rs232c_{loop_, state_, port_};
    CommandFrameBuilder frames_;
    LogPane pane_{&main_};
    ProtocolLog log_{&pane_};
    AnsweringSink sink_{state_};
    FrameAssembler assembler_{sink_};
    HostDouble host_;
    CommandSender sender_{main_, rs232c_, frames_, state_, log_, assembler_, host_};
};

TEST_F(CommandSenderTest, AsynchronousModePassesOnlyPowerAndTheMemories) {
    for (int n = 0; n <= 105; ++n) {
        const std::size_t before = Written().size();
        sender_.SendCommand(n, 0);
        const bool sent = Written().size() > before;
        EXPECT_EQ(sent, n == 8 || (n >= 27 && n <= 32)) << n;
    }
    // Every frame that went out is in the log, with its prefix.
    EXPECT_EQ(Count(pane_.Text(), "(PC) EX  "), 7);
    const std::string recall(frames_.BuildCommandFrame(28, 0));
    EXPECT_NE(pane_.Text().find("(PC) EX  " + recall + "\r\n"), std::string::npos);

    // Extended frames wait for realtime mode or a transfer.
    const std::size_t before = Written().size();
    sender_.SendExtended(262, 0, 3);
    EXPECT_EQ(Written().size(), before);
}

TEST_F(CommandSenderTest, RealtimeModeAndTransfersSendEverything) {
    state_.realtimeMode = true;
    sender_.SendCommand(20, 1);
    const std::string program(frames_.BuildCommandFrame(20, 1));
    EXPECT_EQ(Written(), program);

    // A request leaves the echo guard alone; a write sets it before sending.
    state_.echoGuard = 0;
    sender_.SendExtended(262, 0, 3);
    EXPECT_EQ(state_.echoGuard, 0);
    sender_.SendExtended(262, 1, 3, 12);
    EXPECT_EQ(state_.echoGuard, 1);
    const std::string write(frames_.BuildExtendedFrame(262, 1, 3, 12));
    EXPECT_EQ(Written().substr(Written().size() - write.size()), write);
    EXPECT_NE(pane_.Text().find("(PC) EX  " + write + "\r\n"), std::string::npos);

    // An upload or a download in asynchronous mode lets everything through as well.
    state_.realtimeMode = false;
    state_.uploadInProgress = 1;
    std::size_t before = Written().size();
    sender_.SendCommand(20, 2);
    EXPECT_GT(Written().size(), before);
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 3;
    before = Written().size();
    sender_.SendExtended(262, 0, 4);
    EXPECT_GT(Written().size(), before);

    // A number outside the table: nothing on the line, but the log shows the bare prefix.
    before = Written().size();
    sender_.SendCommand(200, 0);
    EXPECT_EQ(Written().size(), before);
    EXPECT_EQ(pane_.Text().substr(pane_.Text().size() - 11), "(PC) EX  \r\n");
}

TEST_F(CommandSenderTest, NothingIsSentOrLoggedWithoutAPort) {
    rs232c_.ClosePort();
    state_.realtimeMode = true;
    sender_.SendCommand(8, 0);
    sender_.SendExtended(262, 1, 3, 12);
    EXPECT_EQ(Written(), "");
    EXPECT_EQ(pane_.Text(), "");
    sender_.EnqueueCommand(255, 0);
    loop_.AdvanceBy(3000);
    EXPECT_EQ(Written(), "");
}

TEST_F(CommandSenderTest, EnqueueReplacesAnEntryStillWaitingToBeSent) {
    EXPECT_TRUE(sender_.EnqueueCommand(255, 0));
    EXPECT_TRUE(sender_.EnqueueCommand(255, 0));
    EXPECT_EQ(sender_.QueueCount(), 1);

    EXPECT_TRUE(sender_.EnqueueCommand(53, 10));
    EXPECT_TRUE(sender_.EnqueueCommand(53, 14));
    EXPECT_EQ(sender_.QueueCount(), 2);
    EXPECT_EQ(sender_.QueueEntry(1).value, 14);

    // An answered entry lies behind the queue index and is not searched.
    sender_.AdvanceQueueIndex();
    EXPECT_EQ(sender_.CurrentQueuedCommand(), 53);
    EXPECT_TRUE(sender_.EnqueueCommand(255, 0));
    EXPECT_EQ(sender_.QueueCount(), 3);
    // The index never runs past the count.
    sender_.AdvanceQueueIndex();
    sender_.AdvanceQueueIndex();
    sender_.AdvanceQueueIndex();
    EXPECT_EQ(sender_.QueueIndex(), 3);
    EXPECT_EQ(sender_.CurrentQueuedCommand(), -1);
    EXPECT_EQ(sender_.QueueEntry(300).commandNumber, 0);
    EXPECT_EQ(sender_.QueueEntry(-1).commandNumber, 0);
}

TEST_F(CommandSenderTest, AFullQueueRefusesEvenAReplacement) {
    for (int n = 0; n < CommandSender::kQueueSize; ++n) {
        ASSERT_TRUE(sender_.EnqueueCommand(n, 0)) << n;
    }
    EXPECT_FALSE(sender_.EnqueueCommand(1000, 0));
    EXPECT_FALSE(sender_.EnqueueCommand(3, 5));
    EXPECT_EQ(sender_.QueueEntry(3).value, 0);
    sender_.ResetQueue();
    EXPECT_EQ(sender_.QueueCount(), 0);
    EXPECT_TRUE(sender_.EnqueueCommand(1000, 0));
}

TEST_F(CommandSenderTest, SendNextQueued) {
    EXPECT_FALSE(sender_.SendNextQueued());  // empty

    sender_.EnqueueCommand(255, 0);
    SetLogTicked(false);
    EXPECT_TRUE(sender_.SendNextQueued());
    EXPECT_EQ(state_.waiting, 1);
    EXPECT_EQ(state_.identificationPending, 1);
    EXPECT_EQ(Written(), kStatusRequestFrame);
    EXPECT_EQ(pane_.Text(), "");
    SetLogTicked(true);
    EXPECT_TRUE(sender_.SendNextQueued());
    EXPECT_EQ(pane_.Text(), "(PC)--> " + kStatusRequestFrame + "\r\n");

    // Every entry answered: the next call empties the queue and its link slots.
    sender_.AdvanceQueueIndex();
    state_.retryCount = 2;
    EXPECT_FALSE(sender_.SendNextQueued());
    EXPECT_EQ(sender_.QueueCount(), 0);
    EXPECT_EQ(sender_.QueueIndex(), 0);
    EXPECT_EQ(state_.waiting, 0);
    EXPECT_EQ(state_.retryCount, 0);
    EXPECT_EQ(state_.identificationPending, 0);

    // A negative command number is never sent.
    state_.waiting = 0;
    sender_.EnqueueCommand(-5, 0);
    EXPECT_FALSE(sender_.SendNextQueued());
    EXPECT_EQ(state_.waiting, 0);

    // The connector's opening state: only the status request, unsent.
    sender_.QueueOnlyStatusRequest();
    EXPECT_EQ(sender_.QueueCount(), 1);
    EXPECT_EQ(sender_.CurrentQueuedCommand(), 255);
}

TEST_F(CommandSenderTest, AnsweredStatusRequestsAreNeverResent) {
    sender_.StartTimers();
    loop_.AdvanceBy(10'000);
    ASSERT_GE(farEnd_.heard.size(), 9u);
    for (const auto& [time, bytes] : farEnd_.heard) {
        EXPECT_EQ(bytes, kStatusRequestFrame) << time;
    }
    // Each one answered before the next is queued: no resend, no fall-back.
    EXPECT_EQ(sink_.configurations, static_cast<int>(farEnd_.heard.size()));
    EXPECT_EQ(state_.retryCount, 0);
    EXPECT_EQ(host_.gone, 0);
}

TEST_F(CommandSenderTest, SilentReceiverGetsFiveSendsOneSecondApartThenFallsBack) {
    receiver_.Faults().silent = true;
    sender_.StartTimers();
    state_.linkBusy = 1;

    // Timer 7 queues the status request at 1000 ms; the pump sends it at 1050 ms.
    loop_.AdvanceBy(6049);
    EXPECT_EQ(HeardTimes(), (std::vector<std::int64_t>{1050, 2050, 3050, 4050, 5050}));
    EXPECT_EQ(Count(pane_.Text(), "(PC)--> " + kStatusRequestFrame + "\r\n"), 5);
    EXPECT_EQ(state_.retryCount, 4);
    EXPECT_EQ(state_.linkBusy, 0);  // each resend frees the link
    EXPECT_EQ(host_.gone, 0);

    assembler_.Feed(std::string_view("\x12R31"));
    loop_.AdvanceBy(1);
    EXPECT_EQ(host_.gone, 1);
    EXPECT_TRUE(host_.searched.empty());
    EXPECT_EQ(state_.waiting, 0);
    EXPECT_EQ(state_.retryCount, 0);
    EXPECT_EQ(state_.identificationPending, 0);
    EXPECT_EQ(sender_.QueueCount(), 0);
    EXPECT_EQ(assembler_.Pending(), "");  // the receiver side was reset
    EXPECT_EQ(state_.openPort, 3);        // the port stays open
    EXPECT_FALSE(loop_.HasTimer(main_.Handle(), CommandSender::kReplyTimeoutTimerId));

    // The next status request goes out with the next second.
    loop_.AdvanceBy(1000);
    EXPECT_EQ(HeardTimes().back(), 7050);
}

TEST_F(CommandSenderTest, DuringASearchTheTimeOutTriesTheNextPort) {
    receiver_.Faults().silent = true;
    state_.searchPort = 3;
    sender_.QueueOnlyStatusRequest();
    sender_.StartTimers();
    loop_.AdvanceBy(5500);
    EXPECT_EQ(farEnd_.heard.size(), 5u);
    EXPECT_EQ(HeardTimes().front(), 150);
    EXPECT_EQ(host_.searched, (std::vector<int>{4}));
    EXPECT_EQ(host_.gone, 0);
    EXPECT_EQ(sender_.QueueCount(), 0);
}

TEST_F(CommandSenderTest, ReplyTimeOutWithNothingWaitingFreesTheLink) {
    state_.linkBusy = 1;
    sender_.StartReplyTimeout();
    loop_.AdvanceBy(1000);
    EXPECT_EQ(state_.linkBusy, 0);
    EXPECT_FALSE(loop_.HasTimer(main_.Handle(), CommandSender::kReplyTimeoutTimerId));
    EXPECT_TRUE(farEnd_.heard.empty());
}

TEST_F(CommandSenderTest, StatusRequestIsQueuedOnlyWhileNothingWaitsAndNoTransferRuns) {
    state_.transferBusy = 1;
    sender_.OnStatusRequestTimer();
    EXPECT_EQ(sender_.QueueCount(), 0);
    state_.transferBusy = 0;
    state_.waiting = 1;
    sender_.OnStatusRequestTimer();
    EXPECT_EQ(sender_.QueueCount(), 0);
    state_.waiting = 0;
    sender_.OnStatusRequestTimer();
    EXPECT_EQ(sender_.CurrentQueuedCommand(), 255);
    EXPECT_FALSE(sender_.OnTimer(5));  // not the sender's timer
}

TEST_F(CommandSenderTest, ResetReceiverEmptiesTheBatchAndTheAssembler) {
    main_.onBatch = nullptr;  // leave the batch where the poll put it
    rs232c_.WriteFrame(kStatusRequestFrame);
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return rs232c_.ReceiveEnabled() == 0; }, 500));
    EXPECT_FALSE(rs232c_.ReceivedBatch().empty());
    assembler_.Feed(std::string_view("\x12R310"));
    ASSERT_EQ(assembler_.Kind(), FrameKind::kConfiguration);

    sender_.ResetReceiver();
    EXPECT_EQ(rs232c_.ReceivedBatch(), "");
    EXPECT_EQ(assembler_.Pending(), "");
    EXPECT_EQ(assembler_.Kind(), FrameKind::kNone);
    EXPECT_EQ(assembler_.BatchCopy(), "");
}

// A pause the receiver needs between a transfer's frames ends when it ends, not at the next
// 10 ms tick: the sender wakes itself then (here no tick runs at all).
TEST_F(CommandSenderTest, ATransferPauseEndsOnTimeWithoutATick) {
    state_.downloadInProgress = 3;
    const std::int64_t start = clock_.NowMs();
    sender_.SendExtended(262, 1, 3, 12, 0, 0, 0, 0, {}, SendLane::kTransfer);
    sender_.Hold(SendLane::kTransfer, 25);
    sender_.SendExtended(262, 1, 4, 12, 0, 0, 0, 0, {}, SendLane::kTransfer);
    sender_.RunStepNow();  // as after every step
    const std::string second(frames_.BuildExtendedFrame(262, 1, 4, 12));
    ASSERT_EQ(Count(Written(), second), 0);
    const int steps = host_.downloadSteps;
    loop_.AdvanceBy(24);
    EXPECT_EQ(Count(Written(), second), 0);
    loop_.AdvanceBy(1);
    EXPECT_EQ(Count(Written(), second), 1);
    EXPECT_EQ(clock_.NowMs(), start + 25);
    EXPECT_EQ(host_.downloadSteps, steps + 1);  // the next step may run then too
}

class WaitingCounterTest : public CommandSenderTest {
protected:
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            sender_.OnAuxTick();
        }
    }
    std::string LastLine() const {
        const std::string text = pane_.Text();
        const auto end = text.rfind("\r\n");
        if (end == std::string::npos) {
            return "";
        }
        const auto start = end == 0 ? std::string::npos : text.rfind("\r\n", end - 1);
        const std::size_t begin = start == std::string::npos ? 0 : start + 2;
        return text.substr(begin, end + 2 - begin);
    }
};

TEST_F(WaitingCounterTest, TwoSecondsOfSilenceOnTheAuxiliaryTick) {
    SetLogTicked(false);  // written whether or not the log is on
    CAUXTIMERDlg aux(loop_);
    ASSERT_TRUE(aux.Create(main_.Handle()));
    aux.SetTimerId(1);
    aux.SetPeriod(10);
    aux.Start();
    loop_.AdvanceBy(2000);  // 200 ticks: the counter reaches 200
    EXPECT_EQ(pane_.Text(), "");
    EXPECT_EQ(state_.waitingCounter, 200);
    state_.awaitedFunction = 264;
    loop_.AdvanceBy(10);
    EXPECT_EQ(pane_.Text(), "Command Waiting Counter Cleared(Cmnd)   0108\r\n");
    EXPECT_EQ(state_.waitingCounter, 0);
    EXPECT_EQ(state_.awaitedFunction, LinkState::kNone);
    EXPECT_EQ(state_.previousAwaitedFunction, LinkState::kNone);
}

TEST_F(WaitingCounterTest, TheAwaitedFunctionAsFourHexDigitsOfItsMagnitude) {
    const std::pair<int, std::string> cases[] = {
        {-1, "0001"},      {264, "0108"},     {255, "00FF"},  {0xFFFF, "FFFF"},
        {0x10000, "0000"}, {INT_MIN, "0000"}, {-274, "0112"},
    };
    for (const auto& [awaited, digits] : cases) {
        state_.waitingCounter = 0;
        state_.awaitedFunction = awaited;
        Ticks(201);
        EXPECT_EQ(LastLine(), "Command Waiting Counter Cleared(Cmnd)   " + digits + "\r\n")
            << awaited;
    }
}

TEST_F(WaitingCounterTest, UploadStepsRunAndTheUploadEndsWhenTheCounterRunsOut) {
    state_.uploadInProgress = 1;
    sender_.EnqueueCommand(255, 0);
    Ticks(201);
    EXPECT_EQ(host_.uploadSteps, 200);
    EXPECT_EQ(host_.downloadSteps, 0);
    EXPECT_EQ(state_.uploadInProgress, 0);
    EXPECT_EQ(state_.transferBusy, 1);
    EXPECT_EQ(sender_.QueueCount(), 0);

    state_.downloadInProgress = 2;
    Ticks(5);
    EXPECT_EQ(host_.downloadSteps, 5);
    EXPECT_EQ(state_.downloadInProgress, 2);  // the counter counts uploads only
}

TEST_F(WaitingCounterTest, RealtimeModeGivesUpAfterOneSecond) {
    state_.realtimeMode = true;
    state_.uploadInProgress = 1;
    Ticks(100);
    EXPECT_EQ(host_.realtimeSteps, 100);
    EXPECT_EQ(LastLine(), "");
    Ticks(1);
    EXPECT_EQ(LastLine(), "Command Waiting Counter Cleared(Cmnd)   0001\r\n");
    EXPECT_EQ(state_.uploadInProgress, 1);
    EXPECT_EQ(host_.uploadSteps, 0);

    // A count left above the realtime limit by asynchronous mode still runs out.
    state_.waitingCounter = 150;
    state_.awaitedFunction = 267;
    Ticks(1);
    EXPECT_EQ(LastLine(), "Command Waiting Counter Cleared(Cmnd)   010B\r\n");
}

TEST_F(WaitingCounterTest, TheTickStandsStillWhileWaitingBusyOrClosed) {
    state_.uploadInProgress = 1;
    state_.waiting = 1;
    Ticks(300);
    state_.waiting = 0;
    state_.linkBusy = 1;
    Ticks(300);
    state_.linkBusy = 0;
    rs232c_.ClosePort();
    Ticks(300);
    EXPECT_EQ(state_.waitingCounter, 0);
    EXPECT_EQ(host_.uploadSteps, 0);
    EXPECT_EQ(pane_.Text(), "");
}

TEST_F(CommandSenderTest, TheLogStaysWithinItsBudgetUnderEverySender) {
    state_.realtimeMode = true;
    receiver_.Faults().silent = true;
    for (int i = 0; i < 4000; ++i) {
        if (i % 2 == 0) {
            sender_.SendCommand(53, i % 100);
        } else {
            sender_.ResetQueue();
            sender_.EnqueueCommand(255, 0);
            sender_.SendNextQueued();
        }
        const std::string text = pane_.Text();
        ASSERT_LE(text.size(), LogPane::kTrimLength + 32) << i;
    }
}

}  // namespace
}  // namespace tra1
