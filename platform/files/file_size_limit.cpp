#include "platform/files/file_size_limit.h"

#include <csignal>

namespace tra1::files {

void TreatFileSizeLimitAsWriteError() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace tra1::files
