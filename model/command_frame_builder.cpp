#include "model/command_frame_builder.h"

#include <array>
#include <cstdint>

#include "model/command_table.h"
#include "model/extended_codec.h"
#include "model/hex_codes.h"
#include "model/protocol.h"

namespace tra1 {
namespace {

// Appends to a fixed buffer and never writes past its end (one byte is kept for the NUL).
// Every frame is far shorter than the buffer, so the bound only matters for a faulty caller.
class FrameWriter {
public:
    explicit FrameWriter(std::array<char, CommandFrameBuilder::kFrameBufferSize>& buffer)
        : buffer_(buffer) {}

    void Put(char c) {
        if (size_ + 1 < buffer_.size()) {
            buffer_[size_++] = c;
        }
    }
    void Put(std::string_view s) {
        for (char c : s) {
            Put(c);
        }
    }
    template <std::size_t N>
    void Put(const std::array<char, N>& chars) {
        for (char c : chars) {
            Put(c);
        }
    }
    std::size_t size() const { return size_; }
    const char* data() const { return buffer_.data(); }

    // Terminates the frame with a NUL and returns it.
    std::string_view Finish() {
        buffer_[size_] = '\0';
        return {buffer_.data(), size_};
    }

private:
    std::array<char, CommandFrameBuilder::kFrameBufferSize>& buffer_;
    std::size_t size_ = 0;
};

// The volume byte: step 0 is "00", step n is n + 38, and steps that do not fit give "00".
std::array<char, 2> VolumeField(int value) {
    if (value == 0) {
        return {'0', '0'};
    }
    return Hex2(value + kVolumeOffset);
}

}  // namespace

std::string_view CommandFrameBuilder::BuildCommandFrame(int commandNumber, int value) {
    const CommandGroup group = CommandGroupOf(commandNumber);
    std::string_view code;
    if (group == CommandGroup::kSelection) {
        // A position outside the row would read another row's codes: send nothing instead.
        code = CommandCode(commandNumber, value);
        if (code.empty()) {
            return {};
        }
    } else if (group == CommandGroup::kVolume || group == CommandGroup::kParameter) {
        code = CommandCode(commandNumber, 0);
    } else if (group == CommandGroup::kInvalid) {
        return {};
    }

    FrameWriter out(frameBuffer_);
    switch (group) {
        case CommandGroup::kStatusRequest:
            out.Put(control_byte::kDc1);
            out.Put(kStatusRequestBody);
            break;
        case CommandGroup::kVolume:
            out.Put(control_byte::kStx);
            out.Put(code.substr(0, kOperationCodePrefixLength));
            out.Put(VolumeField(value));
            break;
        case CommandGroup::kParameter:
            out.Put(control_byte::kStx);
            out.Put(code.substr(0, kOperationCodePrefixLength));
            out.Put(Hex2(value));
            break;
        case CommandGroup::kSelection:
            out.Put(control_byte::kStx);
            out.Put(code);
            break;
        case CommandGroup::kInvalid:
            break;
    }
    out.Put(control_byte::kEtx);
    return out.Finish();
}

std::string_view CommandFrameBuilder::BuildExtendedFrame(int function, int mode, int p1, int p2,
                                                         int p3, int p4, int p5, int p6,
                                                         std::string_view text) {
    const int length = ExtendedFrameLength(function, mode);
    if (length < 0) {
        return {};
    }
    const ExtendedPart part =
        mode == extended_function::kWrite ? ExtendedPart::kWrite : ExtendedPart::kRequest;
    const ExtendedData data =
        EncodeExtendedData(*FindExtendedCodec(function), part, {p1, p2, p3, p4, p5, p6}, text);

    frameBuffer_.fill('\0');
    FrameWriter out(frameBuffer_);
    out.Put(control_byte::kDc4);
    out.Put(extended_frame::kAddress);
    out.Put(Hex2(length));
    out.Put(ExtendedFunctionCode(function));
    out.Put(Hex1(mode));
    out.Put(data.View());

    // The checksum covers everything after DC4 up to the last data character.
    out.Put(Hex2(ExtendedChecksum(std::string_view(out.data(), out.size()).substr(1))));
    out.Put(control_byte::kEtx);
    return out.Finish();
}

}  // namespace tra1
