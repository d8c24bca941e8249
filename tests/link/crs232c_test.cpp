// The serial port owner: opening by slot, the slot rules, writing with retries, the 10 ms poll
// and its hand-over to the main window, and what destruction leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/crs232c_dlg.h"
#include "link/link_state.h"
#include "platform/serial/serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"
#include "sim/virtual_receiver_line.h"

namespace tra1 {
namespace {

// A port whose every answer the test decides.
class FakePort final : public serial::SerialPort {
public:
    serial::OpenResult Open(int port) override {
        opens.push_back(port);
        open_ = outcome == serial::OpenResult::kOpened;
        port_ = open_ ? port : 0;
        return outcome;
    }
    bool IsOpen() const override { return open_; }
    int OpenPortNumber() const override { return port_; }
    std::size_t BytesWaiting() override { return open_ ? incoming.size() : 0; }
    std::size_t Read(std::span<char> buffer) override {
        const std::size_t n = std::min(buffer.size(), incoming.size());
        std::copy_n(incoming.begin(), n, buffer.begin());
        incoming.erase(0, n);
        return n;
    }
    std::size_t Write(std::string_view bytes) override {
        ++writeCalls;
        if (onWrite) {
            onWrite();
        }
        if (failWrites > 0) {
            --failWrites;
            return 0;
        }
        const std::size_t n = std::min(bytes.size(), maxPerWrite);
        written.append(bytes.substr(0, n));
        return n;
    }
    bool Close() override {
        ++closes;
        if (closesOut != nullptr) {
            ++*closesOut;
        }
        const bool was = open_;
        open_ = false;
        port_ = 0;
        return was;
    }
    bool TakeHangUp() override { return std::exchange(hungUp, false); }

    serial::OpenResult outcome = serial::OpenResult::kOpened;
    std::vector<int> opens;
    std::string incoming;
    std::string written;
    int writeCalls = 0;
    int failWrites = 0;
    std::size_t maxPerWrite = 1000;
    int closes = 0;
    int* closesOut = nullptr;  // also counted here, for a port freed with its owner
    bool hungUp = false;
    std::function<void()> onWrite;

private:
    bool open_ = false;
    int port_ = 0;
};

// The main window's part: counts the batches handed to it.
class OwnerWindow final : public win::Window {
public:
    using Window::Window;
    int batches = 0;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam, win::LParam) override {
        if (msg == CRS232CDlg::kBatchMessage) {
            ++batches;
        }
        return 0;
    }
};

class Rs232cTest : public ::testing::Test {
protected:
    Rs232cTest() {
        auto fake = std::make_unique<FakePort>();
        port_ = fake.get();
        dlg_ = std::make_unique<CRS232CDlg>(loop_, state_, std::move(fake));
        owner_.CreateHidden();
        created_ = dlg_->Create(owner_.Handle());
    }

    void OpenCom(int n) {
        dlg_->SetLinkState(kOpenPortSlot, n);
        ASSERT_EQ(dlg_->OpenPort(), PortOpenResult::kOpened);
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    LinkState state_;
    OwnerWindow owner_{loop_};
    FakePort* port_ = nullptr;
    std::unique_ptr<CRS232CDlg> dlg_;
    bool created_ = false;
};

TEST_F(Rs232cTest, CreatesInvisibleFromItsTemplateAndPollsEveryTenMs) {
    ASSERT_TRUE(created_);
    EXPECT_EQ(dlg_->GetWindowText(), "RS-232C(Invisible Dialog)");
    EXPECT_FALSE(dlg_->IsWindowVisible());
    EXPECT_EQ(loop_.TimerPeriod(dlg_->Handle(), CRS232CDlg::kPollTimerId), 10u);
    EXPECT_EQ(dlg_->ReceiveEnabled(), 1);
}

TEST_F(Rs232cTest, SlotRules) {
    // Port slots keep 1..8 only.
    for (int slot : {kSearchPortSlot, kOpenPortSlot}) {
        dlg_->SetLinkState(slot, 8);
        EXPECT_EQ(dlg_->LinkState(slot), 8);
        dlg_->SetLinkState(slot, 9);
        EXPECT_EQ(dlg_->LinkState(slot), 0);
        dlg_->SetLinkState(slot, 1);
        dlg_->SetLinkState(slot, -3);
        EXPECT_EQ(dlg_->LinkState(slot), 0);
    }
    // The others keep anything.
    for (int slot : {kWaitingSlot, kRetryCountSlot, kIdentificationPendingSlot}) {
        dlg_->SetLinkState(slot, -77);
        EXPECT_EQ(dlg_->LinkState(slot), -77);
    }
    // They are the shared LinkState's fields.
    EXPECT_EQ(state_.waiting, -77);
    EXPECT_EQ(state_.retryCount, -77);
    EXPECT_EQ(state_.identificationPending, -77);
    // Unknown slots read 0 and ignore writes.
    dlg_->SetLinkState(5, 4);
    dlg_->SetLinkState(-1, 4);
    EXPECT_EQ(dlg_->LinkState(5), 0);
    EXPECT_EQ(dlg_->LinkState(-1), 0);
    dlg_->SetLinkState(kSearchPortSlot, 2);
    dlg_->SetLinkState(kOpenPortSlot, 2);
    dlg_->ClearLinkState();
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(dlg_->LinkState(slot), 0) << slot;
    }
}

TEST_F(Rs232cTest, OpenPortOutcomes) {
    // Slot 0, or 9 (which the slot does not keep): nothing reaches the OS.
    EXPECT_EQ(dlg_->OpenPort(), PortOpenResult::kNoPort);
    dlg_->SetLinkState(kOpenPortSlot, 9);
    EXPECT_EQ(dlg_->OpenPort(), PortOpenResult::kNoPort);
    EXPECT_TRUE(port_->opens.empty());

    port_->outcome = serial::OpenResult::kRefused;
    dlg_->SetLinkState(kOpenPortSlot, 4);
    EXPECT_EQ(dlg_->OpenPort(), PortOpenResult::kRefused);
    EXPECT_EQ(state_.openPort, 0);

    port_->outcome = serial::OpenResult::kSettingsFailed;
    dlg_->SetLinkState(kOpenPortSlot, 5);
    EXPECT_EQ(dlg_->OpenPort(), PortOpenResult::kSettingsFailed);
    EXPECT_FALSE(dlg_->PortIsOpen());

    port_->outcome = serial::OpenResult::kOpened;
    dlg_->SetLinkState(kOpenPortSlot, 6);
    EXPECT_EQ(dlg_->OpenPort(), PortOpenResult::kOpened);
    EXPECT_TRUE(dlg_->PortIsOpen());
    EXPECT_EQ(state_.openPort, 6);
    EXPECT_EQ(port_->opens, (std::vector<int>{4, 5, 6}));
}

TEST_F(Rs232cTest, ClosePortClearsOpenAndWaitingOnly) {
    EXPECT_FALSE(dlg_->ClosePort());  // nothing open: failure, nothing changes
    OpenCom(2);
    state_.waiting = 1;
    state_.retryCount = 3;
    state_.searchPort = 2;
    EXPECT_TRUE(dlg_->ClosePort());
    EXPECT_EQ(state_.openPort, 0);
    EXPECT_EQ(state_.waiting, 0);
    EXPECT_EQ(state_.retryCount, 3);
    EXPECT_EQ(state_.searchPort, 2);
    EXPECT_FALSE(dlg_->PortIsOpen());
}

TEST_F(Rs232cTest, WriteFrame) {
    dlg_->WriteFrame(
        "\x02"
        "07A1D\x03");  // no port yet: dropped
    EXPECT_EQ(port_->writeCalls, 0);
    OpenCom(1);

    dlg_->WriteFrame(
        "\x02"
        "07A1D\x03");
    EXPECT_EQ(port_->written,
              "\x02"
              "07A1D\x03");
    EXPECT_EQ(dlg_->BytesWritten(), 7u);

    // Four failures, then success on the fifth and last attempt.
    port_->written.clear();
    port_->writeCalls = 0;
    port_->failWrites = 4;
    dlg_->WriteFrame("ABC");
    EXPECT_EQ(port_->writeCalls, 5);
    EXPECT_EQ(port_->written, "ABC");
    // Five failures: dropped, and the next frame is not held up by it.
    port_->written.clear();
    port_->writeCalls = 0;
    port_->failWrites = 5;
    dlg_->WriteFrame("DEF");
    EXPECT_EQ(port_->writeCalls, 5);
    EXPECT_EQ(port_->written, "");
    dlg_->WriteFrame("GHI");
    EXPECT_EQ(port_->written, "GHI");

    // A short write goes on with the rest; the frame's start is never repeated.
    port_->written.clear();
    port_->maxPerWrite = 3;
    dlg_->WriteFrame("1234567");
    EXPECT_EQ(port_->written, "1234567");
    port_->maxPerWrite = 1000;

    // The send buffer holds 63 characters; an empty frame writes nothing.
    port_->written.clear();
    port_->writeCalls = 0;
    dlg_->WriteFrame(std::string(100, 'x'));
    EXPECT_EQ(port_->written, std::string(63, 'x'));
    dlg_->WriteFrame("");
    dlg_->WriteFrame(std::string_view("\0abc", 4));
    EXPECT_EQ(port_->writeCalls, 1);
}

TEST_F(Rs232cTest, WriteWhileSendBufferBusyIsDropped) {
    OpenCom(1);
    // A frame written from inside another frame's write finds the send buffer in use.
    bool nested = false;
    port_->onWrite = [&] {
        if (!nested) {
            nested = true;
            dlg_->WriteFrame("NESTED");
        }
    };
    dlg_->WriteFrame("OUTER");
    EXPECT_TRUE(nested);
    EXPECT_EQ(port_->written, "OUTER");
    port_->onWrite = nullptr;
    dlg_->WriteFrame("AFTER");
    EXPECT_EQ(port_->written, "OUTERAFTER");
}

TEST_F(Rs232cTest, ThreeHundredBytesArriveAs255Then45AfterTheHandOver) {
    OpenCom(3);
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<char>('A' + i % 26));
    }
    port_->incoming = bytes;

    loop_.AdvanceBy(10);
    EXPECT_EQ(owner_.batches, 1);
    EXPECT_EQ(dlg_->ReceiveEnabled(), 0);
    EXPECT_EQ(dlg_->ReceivedBatch(), bytes.substr(0, 255));

    // Until the owner has taken the batch, the rest stays in the port.
    loop_.AdvanceBy(100);
    EXPECT_EQ(owner_.batches, 1);
    EXPECT_EQ(port_->incoming.size(), 45u);
    EXPECT_EQ(dlg_->ReceivedBatch(), bytes.substr(0, 255));

    dlg_->SetReceiveEnabled(1);
    loop_.AdvanceBy(10);
    EXPECT_EQ(owner_.batches, 2);
    EXPECT_EQ(dlg_->ReceivedBatch(), bytes.substr(255));
    EXPECT_EQ(dlg_->ReceivedBatch().size(), 45u);
}

TEST_F(Rs232cTest, PollNeedsAnOpenPortAndHandsOverEveryByteNulsIncluded) {
    port_->incoming = "abc";
    loop_.AdvanceBy(50);  // no port open: nothing is read
    EXPECT_EQ(owner_.batches, 0);

    // A NUL is a damaged byte, not the end of the batch: neither one first nor one inside
    // loses the bytes after it.
    OpenCom(1);
    port_->incoming = std::string("\0xyz", 4);
    loop_.AdvanceBy(10);
    EXPECT_EQ(owner_.batches, 1);
    EXPECT_EQ(dlg_->ReceivedBatch(), std::string("\0xyz", 4));
    EXPECT_TRUE(state_.heardDuringWait);
    EXPECT_TRUE(port_->incoming.empty());

    dlg_->SetReceiveEnabled(true);
    port_->incoming = std::string("ab\0cd", 5);
    loop_.AdvanceBy(10);
    EXPECT_EQ(owner_.batches, 2);
    EXPECT_EQ(dlg_->ReceivedBatch(), std::string("ab\0cd", 5));
    dlg_->EmptyReceiveBuffer();
    EXPECT_EQ(dlg_->ReceivedBatch(), "");

    // A batch of NULs only is still bytes heard.
    dlg_->SetReceiveEnabled(true);
    port_->incoming = std::string(3, '\0');
    loop_.AdvanceBy(10);
    EXPECT_EQ(owner_.batches, 3);
    EXPECT_EQ(dlg_->ReceivedBatch().size(), 3u);
}

TEST_F(Rs232cTest, HangUpIsReportedOnce) {
    OpenCom(1);
    int hangUps = 0;
    dlg_->SetHangUpHandler([&] { ++hangUps; });
    port_->hungUp = true;
    loop_.AdvanceBy(100);
    EXPECT_EQ(hangUps, 1);
}

TEST_F(Rs232cTest, DestructionClosesThePortAndClearsTheSlots) {
    OpenCom(7);
    int closes = 0;
    port_->closesOut = &closes;
    state_.searchPort = 7;
    state_.waiting = 1;
    dlg_.reset();  // the port goes with it
    port_ = nullptr;
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(state_.openPort, 0);
    EXPECT_EQ(state_.searchPort, 0);
    EXPECT_EQ(state_.waiting, 0);
}

TEST(Rs232cOwnerTest, DestroyingTheOwnerWindowClosesThePort) {
    win::VirtualClock clock;
    win::EventLoop loop{clock};
    LinkState state;
    FakePort port;
    OwnerWindow owner{loop};
    owner.CreateHidden();
    CRS232CDlg dlg(loop, state, port);
    ASSERT_TRUE(dlg.Create(owner.Handle()));
    dlg.SetLinkState(kOpenPortSlot, 2);
    ASSERT_EQ(dlg.OpenPort(), PortOpenResult::kOpened);

    owner.DestroyWindow();
    EXPECT_FALSE(dlg.IsWindow());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(state.openPort, 0);
    EXPECT_FALSE(loop.HasTimer(dlg.Handle(), CRS232CDlg::kPollTimerId));
}

TEST(Rs232cVirtualReceiverTest, StatusRequestBringsTheConfigurationFrameInBatches) {
    win::VirtualClock clock;
    win::EventLoop loop{clock};
    LinkState state;
    sim::VirtualReceiverLine line(clock);
    OwnerWindow owner{loop};
    owner.CreateHidden();
    CRS232CDlg dlg(loop, state, line.Port());
    ASSERT_TRUE(dlg.Create(owner.Handle()));
    dlg.SetLinkState(kOpenPortSlot, 3);
    ASSERT_EQ(dlg.OpenPort(), PortOpenResult::kOpened);

    dlg.WriteFrame(
        "\x11"
        "000\x03");
    EXPECT_EQ(line.Port().Written(),
              "\x11"
              "000\x03");

    // The owner takes each batch and re-enables the poll, as the main window does.
    std::string received;
    for (int tick = 0; tick < 100 && received.find('\x03') == std::string::npos; ++tick) {
        loop.AdvanceBy(10);
        if (dlg.ReceiveEnabled() == 0) {
            received += dlg.ReceivedBatch();
            dlg.SetReceiveEnabled(1);
        }
    }
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front(), '\x12');
    EXPECT_EQ(received.substr(1, 5), "R3109");
    EXPECT_EQ(received.back(), '\x03');
    EXPECT_GT(owner.batches, 1);  // 9600 baud: a frame spans several 10 ms polls
}

}  // namespace
}  // namespace tra1
