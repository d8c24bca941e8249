#pragma once

namespace tra1::files {

// A process that writes past its file-size limit (ulimit -f) is killed by SIGXFSZ unless it
// ignores the signal; ignored, the write fails with EFBIG like a full disk. The editor calls
// this once at start-up, so that such a save is a failed save with its message, and the
// configuration on the disk is left as it was, instead of an editor that vanishes.
void TreatFileSizeLimitAsWriteError();

}  // namespace tra1::files
