#include "app/transfer_output.h"

#include "app/transfer_host.h"
#include "model/command_table.h"
#include "model/extended_codec.h"
#include "model/report_codes.h"

namespace tra1 {

bool TransferOutput::IsAcknowledged(int commandNumber) {
    return commandNumber == command::kStatusRequest || ReportCodesOf(commandNumber).code >= 0;
}

bool TransferOutput::SendCommand(int commandNumber, int value) {
    host_.SendCommand(commandNumber, value);
    const bool sent = CommandGroupOf(commandNumber) != CommandGroup::kSelection ||
                      !CommandCode(commandNumber, value).empty();
    if (sent) {
        ++framesSent_;
    }
    return sent;
}

void TransferOutput::Command(int commandNumber, int value) {
    // A position the command's row does not have puts nothing on the line, and nothing will
    // answer it: waiting for that answer would only count as a receiver fallen silent.
    if (SendCommand(commandNumber, value) && IsAcknowledged(commandNumber)) {
        awaited_ = commandNumber;
        awaitedItem_.clear();
    }
}

void TransferOutput::CommandUnawaited(int commandNumber, int value) {
    SendCommand(commandNumber, value);
}

void TransferOutput::Request(int function, int p1, int p2, int p3, int p4, std::string_view text) {
    Extended(function, extended_function::kRequest, p1, p2, p3, p4, 0, 0, text);
}

void TransferOutput::Write(int function, int p1, int p2, int p3, int p4, int p5, int p6,
                           std::string_view text) {
    Extended(function, extended_function::kWrite, p1, p2, p3, p4, p5, p6, text);
}

void TransferOutput::Extended(int function, int mode, int p1, int p2, int p3, int p4, int p5,
                              int p6, std::string_view text) {
    host_.SendExtended(function, mode, {p1, p2, p3, p4, p5, p6}, text);
    ++framesSent_;
    if (IsSentExtendedFunction(function)) {
        awaited_ = function;
        awaitedItem_.clear();
        if (const ExtendedCodec* codec = FindExtendedCodec(function)) {
            const ExtendedPart part =
                mode == extended_function::kWrite ? ExtendedPart::kWrite : ExtendedPart::kRequest;
            const ExtendedData data =
                EncodeExtendedData(*codec, part, {p1, p2, p3, p4, p5, p6}, text);
            awaitedItem_ = std::string(data.View().substr(0, ExtendedKeyLength(*codec)));
        }
    }
}

void TransferOutput::Pause(int ms) {
    host_.Pause(ms);
}

}  // namespace tra1
