#pragma once
// What the receiver holds after a Download, read back with an Upload and compared with what was
// sent; and the printing of differences that diff shares.

#include <iosfwd>

namespace tra1 {
class ReceiverImage;
}

namespace tra1::programs {

class ReceiverConnection;

// Reads the receiver's configuration back (of the scope the Download had) and lists every
// setting that differs from `sent`: ctl_exit::kDone when none does, kDifferences when some do
// (listed on standard output), or the exit status of a failed Upload.
int VerifyAgainstReceiver(ReceiverConnection& connection, const ReceiverImage& sent, bool presets,
                          bool json);

}  // namespace tra1::programs
