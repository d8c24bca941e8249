#include "sim/virtual_receiver.h"

#include <algorithm>

#include "model/hex_codes.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/report_codes.h"
#include "sim/configuration_frame.h"
#include "sim/operation_applier.h"

namespace tra1::sim {
namespace {
constexpr std::size_t kModelCodeLength = 5;
// The report code the receiver uses for a command that has none of its own: a code that answers
// no command, so the editor only sees "some report arrived".
constexpr int kUnassignedReportCode = 0xFF;
}  // namespace

VirtualReceiver::VirtualReceiver() {
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    state_.image.ResetToDefaults(profile);
    SetModel(ModelProfile::kTrA1);
}

void VirtualReceiver::SetModel(int modelCode) {
    modelCode_ = sim::ReportedModelCode(modelCode);
}

void VirtualReceiver::SetReportedModelCode(std::string_view code) {
    std::string c(code.substr(0, kModelCodeLength));
    c.resize(kModelCodeLength, '0');
    for (char& ch : c) {
        if (static_cast<unsigned char>(ch) < 0x20) {
            ch = '0';
        }
    }
    modelCode_ = c;
}

std::string VirtualReceiver::ConfigurationFrame() const {
    return BuildConfigurationFrame(state_, modelCode_);
}

std::string VirtualReceiver::ReportFrame(int reportCode, int value) {
    std::string frame(1, control_byte::kStx);
    frame += "00";
    const auto code = Hex2(reportCode);
    const auto v = Hex2(value);
    frame.append(code.data(), code.size());
    frame.append(v.data(), v.size());
    frame.push_back(control_byte::kEtx);
    return frame;
}

std::vector<std::string> VirtualReceiver::Answer(const IncomingFrame& frame) {
    switch (frame.kind) {
        case IncomingFrame::Kind::kStatusRequest:
            if (frame.body != kStatusRequestBody) {
                return {};
            }
            lastCommand_ = command::kStatusRequest;
            return {ConfigurationFrame()};
        case IncomingFrame::Kind::kOperation: {
            if (frame.body.size() != static_cast<std::size_t>(kOperationCodeLength)) {
                return {};
            }
            const auto op = ResolveOperationCode(frame.body);
            if (!op) {
                return {};
            }
            if (op->commandNumber == faults_.loseCommand && faults_.loseCommandTimes > 0) {
                --faults_.loseCommandTimes;
                return {};
            }
            lastCommand_ = op->commandNumber;
            const int value = ApplyOperation(state_, *op);
            const int code = ReportCodesOf(op->commandNumber).code;
            std::vector<std::string> out{
                ReportFrame(code >= 0 ? code : kUnassignedReportCode, std::clamp(value, 0, 255))};
            if (SendsConfigurationAfter(op->commandNumber)) {
                out.push_back(ConfigurationFrame());
            }
            return out;
        }
        case IncomingFrame::Kind::kExtended:
            return {
                extended_.Answer(state_, frame.body, faults_.extendedStatus, faults_.writeStatus)};
    }
    return {};
}

int VirtualReceiver::PiecesFor() {
    if (faults_.splitRate > 0.0 && dice_.Roll(faults_.splitRate)) {
        ++faultsDone_.framesSplit;
        return 2 + dice_.Below(2);
    }
    return std::max(faults_.splitPieces, 1);
}

std::vector<serial::LineSegment> VirtualReceiver::PutOnLine(std::vector<std::string> frames) {
    std::vector<serial::LineSegment> segments;
    for (std::string& frame : frames) {
        if (faults_.lineNoise) {
            // A few printable bytes that belong to no frame.
            std::string noise;
            for (int i = 0; i < 3; ++i) {
                noiseSeed_ = noiseSeed_ * 1103515245u + 12345u;
                noise.push_back(static_cast<char>('!' + (noiseSeed_ >> 16) % 90));
            }
            segments.push_back({noise, 0});
        }
        const int pieces = PiecesFor();
        const std::size_t size = frame.size();
        std::size_t from = 0;
        for (int p = 0; p < pieces && from < size; ++p) {
            const std::size_t to = p + 1 == pieces ? size
                                                   : size * static_cast<std::size_t>(p + 1) /
                                                         static_cast<std::size_t>(pieces);
            if (to <= from) {
                continue;
            }
            segments.push_back({frame.substr(from, to - from), p == 0 ? 0 : faults_.splitGapMs});
            from = to;
        }
    }
    for (serial::LineSegment& segment : segments) {
        faultsDone_.bytesCorruptedSent += dice_.Corrupt(segment.bytes, faults_.corruptRate);
    }
    return segments;
}

std::vector<serial::LineSegment> VirtualReceiver::Receive(std::string_view bytes) {
    if (dice_.Seed() != faults_.seed) {
        dice_.Reseed(faults_.seed);
    }
    // The line may have damaged what the editor sent before the receiver hears it.
    std::string heard(bytes);
    faultsDone_.bytesCorruptedHeard += dice_.Corrupt(heard, faults_.corruptRate);

    std::vector<std::string> answers;
    for (const IncomingFrame& frame : parser_.Feed(heard)) {
        ++framesHeard_;
        if (faults_.silentAfterFrames >= 0 && framesHeard_ > faults_.silentAfterFrames) {
            faults_.silent = true;
        }
        std::vector<std::string> answer = Answer(frame);
        if (faults_.dropNextAnswers > 0 && !answer.empty()) {
            --faults_.dropNextAnswers;
            continue;
        }
        if (!answer.empty() && faults_.dropRate > 0.0 && dice_.Roll(faults_.dropRate)) {
            ++faultsDone_.answersDropped;
            continue;
        }
        for (std::string& a : answer) {
            answers.push_back(std::move(a));
        }
    }
    if (faults_.silent) {
        return {};
    }
    return PutOnLine(std::move(answers));
}

}  // namespace tra1::sim
