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
        port = fake.get();
        dlg = std::make_unique<CRS232CDlg>(loop, state, std::move(fake));
        owner.CreateHidden();
        created = dlg->Create(owner.Handle());
    }

    void OpenCom(int n) {
        dlg->SetLinkState(kOpenPortSlot, n);
        ASSERT_EQ(dlg->OpenPort(), PortOpenResult::kOpened);
    }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    LinkState state;
    OwnerWindow owner{loop};
    FakePort* port = nullptr;
    std::unique_ptr<CRS232CDlg> dlg;
    bool created = false;
};

TEST_F(Rs232cTest, CreatesInvisibleFromItsTemplateAndPollsEveryTenMs) {
    ASSERT_TRUE(created);
    EXPECT_EQ(dlg->GetWindowText(), "RS-232C(Invisible Dialog)");
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_EQ(loop.TimerPeriod(dlg->Handle(), CRS232CDlg::kPollTimerId), 10u);
    EXPECT_EQ(dlg->ReceiveEnabled(), 1);
}

TEST_F(Rs232cTest, SlotRules) {
    // Port slots keep 1..8 only.
    for (int slot : {kSearchPortSlot, kOpenPortSlot}) {
        dlg->SetLinkState(slot, 8);
        EXPECT_EQ(dlg->LinkState(slot), 8);
        dlg->SetLinkState(slot, 9);
        EXPECT_EQ(dlg->LinkState(slot), 0);
        dlg->SetLinkState(slot, 1);
        dlg->SetLinkState(slot, -3);
        EXPECT_EQ(dlg->LinkState(slot), 0);
    }
    // The others keep anything.
    for (int slot : {kWaitingSlot, kRetryCountSlot, kIdentificationPendingSlot}) {
        dlg->SetLinkState(slot, -77);
        EXPECT_EQ(dlg->LinkState(slot), -77);
    }
    // They are the shared LinkState's fields.
    EXPECT_EQ(state.waiting, -77);
    EXPECT_EQ(state.retryCount, -77);
    EXPECT_EQ(state.identificationPending, -77);
    // Unknown slots read 0 and ignore writes.
    dlg->SetLinkState(5, 4);
    dlg->SetLinkState(-1, 4);
    EXPECT_EQ(dlg->LinkState(5), 0);
    EXPECT_EQ(dlg->LinkState(-1), 0);
    dlg->SetLinkState(kSearchPortSlot, 2);
    dlg->SetLinkState(kOpenPortSlot, 2);
    dlg->ClearLinkState();
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(dlg->LinkState(slot), 0) << slot;
    }
}

TEST_F(Rs232cTest, OpenPortOutcomes) {
    // Slot 0, or 9 (which the slot does not keep): nothing reaches the OS.
    EXPECT_EQ(dlg->OpenPort(), PortOpenResult::kNoPort);
    dlg->SetLinkState(kOpenPortSlot, 9);
    EXPECT_EQ(dlg->OpenPort(), PortOpenResult::kNoPort);
    EXPECT_TRUE(port->opens.empty());

    port->outcome = serial::OpenResult::kRefused;
    dlg->SetLinkState(kOpenPortSlot, 4);
    EXPECT_EQ(dlg->OpenPort(), PortOpenResult::kRefused);
    EXPECT_EQ(state.openPort, 0);

    port->outcome = serial::OpenResult::kSettingsFailed;
    dlg->SetLinkState(kOpenPortSlot, 5);
    EXPECT_EQ(dlg->OpenPort(), PortOpenResult::kSettingsFailed);
    EXPECT_FALSE(dlg->PortIsOpen());

    port->outcome = serial::OpenResult::kOpened;
    dlg->SetLinkState(kOpenPortSlot, 6);
    EXPECT_EQ(dlg->OpenPort(), PortOpenResult::kOpened);
    EXPECT_TRUE(dlg->PortIsOpen());
    EXPECT_EQ(state.openPort, 6);
    EXPECT_EQ(port->opens, (std::vector<int>{4, 5, 6}));
}

TEST_F(Rs232cTest, ClosePortClearsOpenAndWaitingOnly) {
    EXPECT_FALSE(dlg->ClosePort());  // nothing open: failure, nothing changes
    OpenCom(2);
    state.waiting = 1;
    state.retryCount = 3;
    state.searchPort = 2;
    EXPECT_TRUE(dlg->ClosePort());
    EXPECT_EQ(state.openPort, 0);
    EXPECT_EQ(state.waiting, 0);
    EXPECT_EQ(state.retryCount, 3);
    EXPECT_EQ(state.searchPort, 2);
    EXPECT_FALSE(dlg->PortIsOpen());
}

TEST_F(Rs232cTest, WriteFrame) {
    dlg->WriteFrame(
        "\x02"
        "07A1D\x03");  // no port yet: dropped
    EXPECT_EQ(port->writeCalls, 0);
    OpenCom(1);

    dlg->WriteFrame(
        "\x02"
        "07A1D\x03");
    EXPECT_EQ(port->written,
              "\x02"
              "07A1D\x03");
    EXPECT_EQ(dlg->BytesWritten(), 7u);

    // Four failures, then success on the fifth and last attempt.
    port->written.clear();
    port->writeCalls = 0;
    port->failWrites = 4;
    dlg->WriteFrame("ABC");
    EXPECT_EQ(port->writeCalls, 5);
    EXPECT_EQ(port->written, "ABC");
    // Five failures: dropped, and the next frame is not held up by it.
    port->written.clear();
    port->writeCalls = 0;
    port->failWrites = 5;
    dlg->WriteFrame("DEF");
    EXPECT_EQ(port->writeCalls, 5);
    EXPECT_EQ(port->written, "");
    dlg->WriteFrame("GHI");
    EXPECT_EQ(port->written, "GHI");

    // A short write goes on with the rest; the frame's start is never repeated.
    port->written.clear();
    port->maxPerWrite = 3;
    dlg->WriteFrame("1234567");
    EXPECT_EQ(port->written, "1234567");
    port->maxPerWrite = 1000;

    // The send buffer holds 63 characters; an empty frame writes nothing.
    port->written.clear();
    port->writeCalls = 0;
    dlg->WriteFrame(std::string(100, 'x'));
    EXPECT_EQ(port->written, std::string(63, 'x'));
    dlg->WriteFrame("");
    dlg->WriteFrame(std::string_view("\0abc", 4));
    EXPECT_EQ(port->writeCalls, 1);
}

TEST_F(Rs232cTest, WriteWhileSendBufferBusyIsDropped) {
    OpenCom(1);
    // A frame written from inside another frame's write finds the send buffer in use.
    bool nested = false;
    port->onWrite = [&] {
        if (!nested) {
            nested = true;
            dlg->WriteFrame("NESTED");
        }
    };
    dlg->WriteFrame("OUTER");
    EXPECT_TRUE(nested);
    EXPECT_EQ(port->written, "OUTER");
    port->onWrite = nullptr;
    dlg->WriteFrame("AFTER");
    EXPECT_EQ(port->written, "OUTERAFTER");
}

TEST_F(Rs232cTest, ThreeHundredBytesArriveAs255Then45AfterTheHandOver) {
    OpenCom(3);
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<char>('A' + i % 26));
    }
    port->incoming = bytes;

    loop.AdvanceBy(10);
    EXPECT_EQ(owner.batches, 1);
    EXPECT_EQ(dlg->ReceiveEnabled(), 0);
    EXPECT_EQ(dlg->ReceivedBatch(), bytes.substr(0, 255));

    // Until the owner has taken the batch, the rest stays in the port.
    loop.AdvanceBy(100);
    EXPECT_EQ(owner.batches, 1);
    EXPECT_EQ(port->incoming.size(), 45u);
    EXPECT_EQ(dlg->ReceivedBatch(), bytes.substr(0, 255));

    dlg->SetReceiveEnabled(1);
    loop.AdvanceBy(10);
    EXPECT_EQ(owner.batches, 2);
    EXPECT_EQ(dlg->ReceivedBatch(), bytes.substr(255));
    EXPECT_EQ(dlg->ReceivedBatch().size(), 45u);
}

TEST_F(Rs232cTest, PollNeedsAnOpenPortAndHandsOverEveryByteNulsIncluded) {
    port->incoming = "abc";
    loop.AdvanceBy(50);  // no port open: nothing is read
    EXPECT_EQ(owner.batches, 0);

    // A NUL is a damaged byte, not the end of the batch: neither one first nor one inside
    // loses the bytes after it.
    OpenCom(1);
    port->incoming = std::string("\0xyz", 4);
    loop.AdvanceBy(10);
    EXPECT_EQ(owner.batches, 1);
    EXPECT_EQ(dlg->ReceivedBatch(), std::string("\0xyz", 4));
    EXPECT_TRUE(state.heardDuringWait);
    EXPECT_TRUE(port->incoming.empty());

    dlg->SetReceiveEnabled(true);
    port->incoming = std::string("ab\0cd", 5);
    loop.AdvanceBy(10);
    EXPECT_EQ(owner.batches, 2);
    EXPECT_EQ(dlg->ReceivedBatch(), std::string("ab\0cd", 5));
    dlg->EmptyReceiveBuffer();
    EXPECT_EQ(dlg->ReceivedBatch(), "");

    // A batch of NULs only is still bytes heard.
    dlg->SetReceiveEnabled(true);
    port->incoming = std::string(3, '\0');
    loop.AdvanceBy(10);
    EXPECT_EQ(owner.batches, 3);
    EXPECT_EQ(dlg->ReceivedBatch().size(), 3u);
}

TEST_F(Rs232cTest, HangUpIsReportedOnce) {
    OpenCom(1);
    int hangUps = 0;
    dlg->SetHangUpHandler([&] { ++hangUps; });
    port->hungUp = true;
    loop.AdvanceBy(100);
    EXPECT_EQ(hangUps, 1);
}

TEST_F(Rs232cTest, DestructionClosesThePortAndClearsTheSlots) {
    OpenCom(7);
    int closes = 0;
    port->closesOut = &closes;
    state.searchPort = 7;
    state.waiting = 1;
    dlg.reset();  // the port goes with it
    port = nullptr;
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(state.openPort, 0);
    EXPECT_EQ(state.searchPort, 0);
    EXPECT_EQ(state.waiting, 0);
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
