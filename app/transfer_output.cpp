#include "app/transfer_output.h"

#include <array>

#include "app/transfer_host.h"
#include "link/report_answers.h"
#include "model/command_table.h"

namespace tra1 {
namespace {

constexpr int kHighestReportCode = 255;

std::array<bool, kCommandCount> AcknowledgedCommands() {
    std::array<bool, kCommandCount> acknowledged{};
    for (int n = 0; n < kCommandCount; ++n) {
        for (int code = 0; code <= kHighestReportCode; ++code) {
            if (ReportAnswers(code, n)) {
                acknowledged.at(static_cast<std::size_t>(n)) = true;
                break;
            }
        }
    }
    return acknowledged;
}

}  // namespace

bool TransferOutput::IsAcknowledged(int commandNumber) {
    static const std::array<bool, kCommandCount> acknowledged = AcknowledgedCommands();
    if (commandNumber == kStatusRequest) {
        return true;
    }
    return IsCommandNumber(commandNumber) &&
           acknowledged.at(static_cast<std::size_t>(commandNumber));
}

void TransferOutput::Command(int commandNumber, int value) {
    host_.SendCommand(commandNumber, value);
    if (IsAcknowledged(commandNumber)) {
        awaited_ = commandNumber;
    }
}

void TransferOutput::Request(int function, int p1, int p2, int p3, int p4, std::string_view text) {
    Extended(function, 0, p1, p2, p3, p4, 0, 0, text);
}

void TransferOutput::Write(int function, int p1, int p2, int p3, int p4, int p5, int p6,
                           std::string_view text) {
    Extended(function, 1, p1, p2, p3, p4, p5, p6, text);
}

void TransferOutput::Extended(int function, int mode, int p1, int p2, int p3, int p4, int p5,
                              int p6, std::string_view text) {
    host_.SendExtended(function, mode, {p1, p2, p3, p4, p5, p6}, text);
    if (IsSentExtendedFunction(function)) {
        awaited_ = function;
    }
}

void TransferOutput::Pause(int ms) {
    host_.Pause(ms);
}

}  // namespace tra1
