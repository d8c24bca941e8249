#include "link/crs232c_dlg.h"

#include <algorithm>
#include <span>
#include <utility>

#include "platform/win/event_loop.h"

namespace tra1 {

CRS232CDlg::CRS232CDlg(win::EventLoop& loop, ::tra1::LinkState& state,
                       std::unique_ptr<serial::SerialPort> port)
    : Dialog(loop, kTemplateId),
      state_(state),
      ownedPort_(std::move(port)),
      port_(ownedPort_.get()) {}

CRS232CDlg::CRS232CDlg(win::EventLoop& loop, ::tra1::LinkState& state, serial::SerialPort& port)
    : Dialog(loop, kTemplateId), state_(state), port_(&port) {}

CRS232CDlg::~CRS232CDlg() {
    // The base destructor removes the window without calling OnDestroy, so the port is closed
    // here: a program that ends must never leave the device held.
    ShutDown();
}

bool CRS232CDlg::OnInitDialog() {
    owner_ = Parent();
    bytesWritten_ = 0;
    ClearLinkState();
    EmptyReceiveBuffer();
    sendBuffer_.fill('\0');
    receiveEnabled_ = true;
    SetTimer(kPollTimerId, kPollPeriodMs);
    watch_ = Loop().WatchInput(*this, [this] { Poll(); });
    UpdateWatch();
    return true;
}

void CRS232CDlg::UpdateWatch() {
    if (watch_) {
        Loop().EnableWatch(*watch_, receiveEnabled_ && PortIsOpen());
    }
}

int CRS232CDlg::ReadableDescriptor() const {
    return port_ != nullptr && port_->IsOpen() ? port_->ReadableDescriptor() : -1;
}

std::optional<std::int64_t> CRS232CDlg::InputDueAtMs() const {
    return port_ != nullptr && port_->IsOpen() ? port_->NextArrivalMs() : std::nullopt;
}

void CRS232CDlg::OnDestroy() {
    ShutDown();
}

void CRS232CDlg::ShutDown() {
    if (watch_) {
        Loop().StopWatching(*watch_);
        watch_.reset();
    }
    if (port_ && port_->IsOpen()) {
        port_->Close();
    }
    ClearLinkState();
    EmptyReceiveBuffer();
    sendBuffer_.fill('\0');
    owner_ = {};
    failedFramesInARow_ = 0;
    writeFailurePending_ = false;
}

PortOpenResult CRS232CDlg::OpenPort() {
    const int number = LinkState(kOpenPortSlot);
    if (number == 0 || !port_) {
        return PortOpenResult::kNoPort;
    }
    // A fresh port starts with a clean record of its writes.
    failedFramesInARow_ = 0;
    writeFailurePending_ = false;
    EmptyReceiveBuffer();
    switch (port_->Open(number)) {
        case serial::OpenResult::kRefused:
            SetLinkState(kOpenPortSlot, 0);
            return PortOpenResult::kRefused;
        case serial::OpenResult::kNotMapped:
            SetLinkState(kOpenPortSlot, 0);
            return PortOpenResult::kNotMapped;
        case serial::OpenResult::kSettingsFailed:
            // The port has closed itself again; the slot keeps the number, as the caller set it.
            return PortOpenResult::kSettingsFailed;
        case serial::OpenResult::kOpened:
            break;
    }
    SetLinkState(kOpenPortSlot, number);
    UpdateWatch();
    return PortOpenResult::kOpened;
}

std::string CRS232CDlg::OpenFailureReason() const {
    return port_ != nullptr ? port_->LastOpenError().Describe() : std::string();
}

bool CRS232CDlg::ClosePort() {
    if (!port_ || !port_->Close()) {
        return false;
    }
    SetLinkState(kOpenPortSlot, 0);
    SetLinkState(kWaitingSlot, 0);
    UpdateWatch();
    return true;
}

FrameWrite CRS232CDlg::WriteFrame(std::string_view frame) {
    if (sendBuffer_[0] != '\0' || LinkState(kOpenPortSlot) == 0 || !port_) {
        return {FrameWrite::Result::kNoPort, {}};
    }
    // The frame ends at its first NUL and is cut to what the send buffer holds.
    frame = frame.substr(0, std::min(frame.find('\0'), kSendBufferSize - 1));
    if (frame.empty()) {
        // A command outside the table builds nothing; nothing goes on the line.
        return {FrameWrite::Result::kEmpty, {}};
    }
    std::copy(frame.begin(), frame.end(), sendBuffer_.begin());
    sendBuffer_[frame.size()] = '\0';

    // A short write goes on with the rest rather than starting the frame again, so that the
    // receiver never sees a frame's first bytes twice.
    std::string_view rest(sendBuffer_.data(), frame.size());
    std::string reason;
    for (int attempt = 0; attempt < kWriteAttempts && !rest.empty(); ++attempt) {
        const std::size_t written = port_->Write(rest);
        bytesWritten_ = static_cast<std::uint32_t>(written);
        rest.remove_prefix(std::min(written, rest.size()));
        if (!rest.empty()) {
            reason = port_->LastWriteError();
        }
    }
    sendBuffer_.fill('\0');
    if (rest.empty()) {
        failedFramesInARow_ = 0;
        return {FrameWrite::Result::kWritten, {}};
    }
    NoteFailedWrite(reason);
    return {FrameWrite::Result::kFailed, reason};
}

void CRS232CDlg::NoteFailedWrite(const std::string& reason) {
    lastWriteError_ = reason;
    ++failedFramesInARow_;
    if (failedFramesInARow_ < kFailedFramesBeforeClosing || writeFailurePending_) {
        return;
    }
    // A port that takes nothing any more is as gone as one that hung up: close it here, and
    // let the poll tell the owner, outside whatever send found it out.
    failedFramesInARow_ = 0;
    if (port_->IsOpen()) {
        port_->Close();
    }
    UpdateWatch();
    writeFailurePending_ = true;
}

int CRS232CDlg::ReadBatch() {
    EmptyReceiveBuffer();
    if (!port_ || !port_->IsOpen()) {
        return 0;
    }
    const std::size_t waiting = port_->BytesWaiting();
    if (waiting == 0) {
        return 0;
    }
    const std::size_t wanted = std::min(waiting, kMaxBatchBytes);
    const std::size_t got = port_->Read(std::span<char>(receiveBuffer_.data(), wanted));
    if (got == 0) {
        return 0;
    }
    // The receiver is not silent, whatever the line made of its bytes: a wait that runs out now
    // was answered, only not soundly. Marked here, where every owner of the port reads.
    state_.heardDuringWait = true;
    // Every byte read counts, NUL included: the receiver never sends one, so a NUL is a byte the
    // line damaged (a space or STX with one bit flipped), and it spoils only the frame it is in.
    // Cutting the batch there would lose the sound frames after it.
    receivedLength_ = std::min(got, kMaxBatchBytes);
    return static_cast<int>(receivedLength_);
}

std::string_view CRS232CDlg::ReceivedBatch() const {
    return std::string_view(receiveBuffer_.data(), receivedLength_);
}

void CRS232CDlg::EmptyReceiveBuffer() {
    receiveBuffer_.fill('\0');
    receivedLength_ = 0;
}

int CRS232CDlg::LinkState(int slot) const {
    switch (slot) {
        case kSearchPortSlot:
            return state_.searchPort;
        case kOpenPortSlot:
            return state_.openPort;
        case kWaitingSlot:
            return state_.waiting;
        case kRetryCountSlot:
            return state_.retryCount;
        case kIdentificationPendingSlot:
            return state_.identificationPending;
        default:
            return 0;
    }
}

void CRS232CDlg::SetLinkState(int slot, int value) {
    switch (slot) {
        case kSearchPortSlot:
            state_.searchPort = PortSlotValue(value);
            break;
        case kOpenPortSlot:
            state_.openPort = PortSlotValue(value);
            break;
        case kWaitingSlot:
            state_.waiting = value;
            break;
        case kRetryCountSlot:
            state_.retryCount = value;
            break;
        case kIdentificationPendingSlot:
            state_.identificationPending = value;
            break;
        default:
            break;
    }
}

void CRS232CDlg::ClearLinkState() {
    for (int slot = kSearchPortSlot; slot <= kIdentificationPendingSlot; ++slot) {
        SetLinkState(slot, 0);
    }
}

void CRS232CDlg::OnTimer(win::TimerId id) {
    if (id == kPollTimerId) {
        Poll();
    }
}

void CRS232CDlg::Poll() {
    if (LinkState(kOpenPortSlot) != 0 && receiveEnabled_ && ReadBatch() != 0) {
        SetReceiveEnabled(false);
        PostMessage(kBatchMessage, 0, 0);
    }
    if (port_ && port_->TakeHangUp()) {
        // One report for one lost port, whichever way it was noticed.
        writeFailurePending_ = false;
        UpdateWatch();
        if (onHangUp_) {
            onHangUp_();
        }
    } else if (writeFailurePending_) {
        writeFailurePending_ = false;
        UpdateWatch();
        if (onWriteFailure_) {
            onWriteFailure_(lastWriteError_);
        }
    }
}

win::LResult CRS232CDlg::OnMessage(win::Msg msg, win::WParam /*w*/, win::LParam /*l*/) {
    if (msg == kBatchMessage && owner_) {
        Loop().Post(owner_, kBatchMessage, 0, 0);
    }
    return 0;
}

}  // namespace tra1
