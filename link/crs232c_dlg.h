#pragma once
// The owner of the one serial port: opens a COM port by number, writes frames, polls the port
// every 10 ms and hands each received batch to the main window with message 0x4400. It also
// gives the link slots (search port, open port, waiting, retry count, identification pending)
// their storing rules; the slots themselves live in the main window's LinkState so that every
// helper reads the same values.
//
// An invisible modeless dialog (template 162). The main window creates it with itself as the
// parent, which is also the owner that receives 0x4400:
//
//   CRS232CDlg rs232c(loop, linkState, std::make_unique<serial::PosixSerialPort>());
//   if (!rs232c.Create(mainWindow.Handle())) { /* "Dialog Creating Error\r\nRS-232C Port" */ }
//
// and in its own 0x4400 handler copies ReceivedBatch() out and calls SetReceiveEnabled(true).
//
// Besides the 10 ms poll, the port is read the moment bytes arrive: the window watches the
// port's input in the event loop (its descriptor, or on the virtual clock the time its next
// bytes arrive) and runs the same poll then. The watch rests while a batch is handed over, so
// the order stays: read, hand over, the owner takes it and re-enables receiving.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "link/frame_write.h"
#include "link/link_state.h"
#include "platform/serial/serial_port.h"
#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"
#include "platform/win/input_source.h"

namespace tra1 {

// The link slots by number, for LinkState(slot) / SetLinkState(slot, value).
enum LinkSlot : int {
    kSearchPortSlot = 0,
    kOpenPortSlot = 1,
    kWaitingSlot = 2,
    kRetryCountSlot = 3,
    kIdentificationPendingSlot = 4,
};

// How OpenPort ended. kNoPort and kSettingsFailed are both the "null handle" of the classic
// link (nothing open, nothing to report to the user); kRefused is its "invalid handle" (the OS
// said no, and the open-port slot has been cleared).
enum class PortOpenResult {
    kNoPort,          // the open-port slot held 0: nothing was tried
    kOpened,          // open with the link's line settings
    kRefused,         // the OS refused the device; open-port slot set to 0
    kSettingsFailed,  // opened, but the settings could not be applied; closed again
    kNotMapped,       // the number leads to no device or server: nothing was tried; open-port
                      // slot set to 0
};

class CRS232CDlg : public win::Dialog, private win::InputSource {
public:
    static constexpr int kTemplateId = 162;
    // Posted to this window when a batch waits, and passed on from here to the owner.
    static constexpr win::Msg kBatchMessage = 0x4400;
    static constexpr win::TimerId kPollTimerId = 1;
    static constexpr std::uint32_t kPollPeriodMs = 10;
    static constexpr std::size_t kReceiveBufferSize = 256;  // one batch plus a spare zero
    static constexpr std::size_t kMaxBatchBytes = kReceiveBufferSize - 1;
    static constexpr std::size_t kSendBufferSize = 64;  // one frame plus its NUL
    static constexpr int kWriteAttempts = 5;
    // Frames in a row that the port would not take before it counts as gone.
    static constexpr int kFailedFramesBeforeClosing = 5;

    // `state` holds the link slots and must outlive this object. The first form owns its port
    // (the program's PosixSerialPort); the second borrows one that outlives it (an in-memory
    // line whose far end is the virtual receiver).
    CRS232CDlg(win::EventLoop& loop, ::tra1::LinkState& state,
               std::unique_ptr<serial::SerialPort> port);
    CRS232CDlg(win::EventLoop& loop, ::tra1::LinkState& state, serial::SerialPort& port);
    ~CRS232CDlg() override;

    // Opens the port whose number is in the open-port slot (see PortOpenResult).
    PortOpenResult OpenPort();
    // Why the last OpenPort failed, in one line for the user; empty when it did not fail or
    // the port cannot say.
    std::string OpenFailureReason() const;
    // Closes the port. On success the open-port and waiting slots are 0. False when the port
    // could not be closed cleanly (or none was open): then nothing else changes.
    bool ClosePort();
    // Writes one frame (up to its first NUL, at most 63 bytes) unless a write is already under
    // way or no port is open. Up to five attempts; a frame that cannot be written whole is
    // dropped and the result says why. After kFailedFramesBeforeClosing such frames in a row
    // the port is closed, and the next poll reports it once to the write-failure handler.
    FrameWrite WriteFrame(std::string_view frame);
    // Reads what waits, at most 255 bytes, into the receive buffer. Returns the count; 0 when
    // nothing was read. A NUL is a byte like any other here (the line damaged it).
    int ReadBatch();

    // The last batch read, every byte of it (NULs included); valid until the next poll or
    // EmptyReceiveBuffer().
    std::string_view ReceivedBatch() const;
    // The receive buffer back to all zeros (the receiver's reset empties it).
    void EmptyReceiveBuffer();

    // True while the poll may read; false from handing over a batch until the owner has taken it.
    void SetReceiveEnabled(bool enabled) {
        receiveEnabled_ = enabled;
        UpdateWatch();
    }
    bool ReceiveEnabled() const { return receiveEnabled_; }

    // The link slots. Slots 0 and 1 keep only a port number 1..8 (anything else stores 0);
    // slots 2..4 keep any value. Unknown slots read 0 and ignore writes.
    int LinkState(int slot) const;
    void SetLinkState(int slot, int value);
    void ClearLinkState();

    // Whether the port is actually open (the open-port slot may name a port whose settings
    // failed; writes and reads then do nothing).
    bool PortIsOpen() const { return port_ && port_->IsOpen(); }
    std::uint32_t BytesWritten() const { return bytesWritten_; }

    // Called once, from the poll, when the far end hung up and the port closed itself. The
    // owner decides what the user sees (usually Disconnect); the slots are left as they are.
    void SetHangUpHandler(std::function<void()> handler) { onHangUp_ = std::move(handler); }
    // Called once, from the poll, after the port kept refusing writes and was closed; with the
    // system's reason for the last failure. The slots are left as they are.
    void SetWriteFailureHandler(std::function<void(const std::string&)> handler) {
        onWriteFailure_ = std::move(handler);
    }

protected:
    bool OnInitDialog() override;
    void OnTimer(win::TimerId id) override;
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override;
    void OnDestroy() override;
    // An invisible window has no user to cancel it; the close box and Esc do nothing.
    void OnCancel() override {}
    void OnOK() override {}

private:
    // The poll: one batch at most per tick, and only while the previous one has been taken.
    void Poll();
    // The input watch runs while a port is open and receiving is enabled.
    void UpdateWatch();
    // win::InputSource: the port's input.
    int ReadableDescriptor() const override;
    std::optional<std::int64_t> InputDueAtMs() const override;
    // Closes the port and forgets every slot and buffer: what destruction leaves behind.
    void ShutDown();
    // Counts a frame the port would not take; closes the port once too many failed in a row.
    void NoteFailedWrite(const std::string& reason);
    static int PortSlotValue(int value) { return serial::IsComPortNumber(value) ? value : 0; }

    ::tra1::LinkState& state_;
    std::unique_ptr<serial::SerialPort> ownedPort_;
    serial::SerialPort* port_;  // ownedPort_ or the borrowed port; null only if given none
    win::WindowHandle owner_;
    std::uint32_t bytesWritten_ = 0;
    std::array<char, kReceiveBufferSize> receiveBuffer_{};
    std::size_t receivedLength_ = 0;  // of the last batch read
    std::array<char, kSendBufferSize> sendBuffer_{};
    bool receiveEnabled_ = true;
    std::function<void()> onHangUp_;
    std::function<void(const std::string&)> onWriteFailure_;
    int failedFramesInARow_ = 0;
    // Set when the port was closed for failing writes, until the poll has reported it.
    bool writeFailurePending_ = false;
    std::string lastWriteError_;
    std::optional<win::EventLoop::WatchId> watch_;
};

}  // namespace tra1
