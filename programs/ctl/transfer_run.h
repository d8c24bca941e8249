#pragma once
// One Upload or Download of tr-a1ctl from start to end: the progress bar on a terminal, Ctrl-C
// as the wait window's Cancel (the receiver and the image are put back), and a receiver that
// falls silent or a line that goes away as one error line.

#include <string_view>

namespace tra1::programs {

class ReceiverConnection;

enum class TransferKind { kUpload, kDownload };

// ctl_exit::kDone when the transfer ran to its end; otherwise the exit status after the error
// line, which ends with `leftBehind` for an Upload ("no file was written"); a Download says
// itself what it leaves in the receiver.
int RunTransfer(ReceiverConnection& connection, TransferKind kind, bool presets,
                std::string_view leftBehind = {});

}  // namespace tra1::programs
