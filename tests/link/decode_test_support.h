#pragma once

// Shared pieces of the reply decoder tests: a recording host and frame builders that follow the
// receiver's frame layouts on their own, without the decoder's code.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/decoder_host.h"
#include "model/receiver_image.h"

namespace tra1::test {

class RecordingHost : public DecoderHost {
public:
    void RefreshPanels() override { ++refreshes; }
    void StopReplyTimeout() override { ++timeoutStops; }
    void ResetReceiver() override {
        ++receiverResets;
        if (onReset) {
            onReset();
        }
    }
    void LogReceived(std::string_view line) override { log.emplace_back(line); }
    int CurrentQueuedCommand() const override { return queuedCommand; }

    int refreshes = 0;
    int timeoutStops = 0;
    int receiverResets = 0;
    int queuedCommand = -1;
    std::vector<std::string> log;
    std::function<void()> onReset;
};

// Every byte of every block, in file order (the distances as the host stores them).
inline std::vector<std::uint8_t> AllBytes(const ReceiverImage& image) {
    std::vector<std::uint8_t> bytes;
    auto add = [&bytes](const auto& block) {
        const auto* first = reinterpret_cast<const std::uint8_t*>(block.data());
        bytes.insert(bytes.end(), first, first + sizeof(block));
    };
    add(image.InputNames);
    add(image.InputProgramMap);
    add(image.EqSettings);
    add(image.ToneSettings);
    add(image.ThxSettings);
    add(image.SpeakerSetup);
    add(image.SpeakerDistances);
    add(image.SpeakerLevels);
    add(image.VideoSettings);
    add(image.PictureModeAdjust);
    add(image.LfeDrange);
    add(image.AudioDelay);
    add(image.InputTrims);
    add(image.DspParameterTable);
    add(image.IoAssignTable);
    add(image.InputModeSetting);
    add(image.MultiZoneSetting);
    add(image.ExternalInputSetting);
    add(image.DisplaySettings);
    add(image.TunerPresets);
    add(image.DcTrigger1);
    add(image.DcTrigger2);
    add(image.MainZoneState);
    add(image.HomePresetMemories);
    add(image.MainVolumeMemories);
    add(image.Zone2VolumeMemories);
    add(image.Zone3VolumeMemories);
    add(image.SpareByte);
    add(image.UserMemo);
    return bytes;
}

// Upper-case hexadecimal text of `value` in `width` digits.
inline std::string Hex(int value, int width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

// A configuration frame body: five model characters, ten characters the editor does not read,
// then the state data, one hexadecimal digit per data position (positions 0..112).
class ConfigurationBody {
public:
    static constexpr std::size_t kDataStart = 15;
    static constexpr std::size_t kPositions = 113;

    explicit ConfigurationBody(std::string_view model = "R3109")
        : text_(std::string(model) + std::string(10, '0') + std::string(kPositions, '0')) {
        Digit(1, 1);  // powered on
    }

    ConfigurationBody& Digit(std::size_t position, int value) {
        text_.replace(kDataStart + position, 1, Hex(value, 1));
        return *this;
    }
    ConfigurationBody& Two(std::size_t position, int value) {
        text_.replace(kDataStart + position, 2, Hex(value, 2));
        return *this;
    }
    ConfigurationBody& Char(std::size_t position, char c) {
        text_[kDataStart + position] = c;
        return *this;
    }
    const std::string& Text() const { return text_; }
    operator std::string_view() const { return text_; }

private:
    std::string text_;
};

// An extended reply body: two characters not read, LL, the three-character function code, the
// status digit, the data and two checksum characters. LL counts the code, status and data,
// except that the receiver reports the EQ option (function 269, "032") with LL 06 although its
// data has three characters.
// The checksum characters the receiver puts after `summed`: its byte sum modulo 256 in two
// upper-case hexadecimal digits.
inline std::string WithChecksum(std::string summed) {
    unsigned sum = 0;
    for (const char c : summed) {
        sum += static_cast<unsigned char>(c);
    }
    return summed + Hex(static_cast<int>(sum % 256), 2);
}

inline std::string ExtendedBody(std::string_view code, std::string_view data, char status = '0') {
    const int length = code == "032" ? 6 : static_cast<int>(3 + 1 + data.size());
    return WithChecksum("20" + Hex(length, 2) + std::string(code) + status + std::string(data));
}

// The same with an LL of the caller's choosing.
inline std::string ExtendedBodyWithLength(int length, std::string_view code,
                                          std::string_view data) {
    return WithChecksum("20" + Hex(length, 2) + std::string(code) + "0" + std::string(data));
}

// The function codes of the extended functions the receiver answers.
inline constexpr std::string_view kIoAssignCode = "010";      // 260
inline constexpr std::string_view kInputNameCode = "011";     // 261
inline constexpr std::string_view kInputTrimCode = "012";     // 262
inline constexpr std::string_view kDspRequestCode = "020";    // 264
inline constexpr std::string_view kDspParameterCode = "021";  // 265
inline constexpr std::string_view kEqBandCode = "030";        // 267
inline constexpr std::string_view kCinemaEqCode = "031";      // 268
inline constexpr std::string_view kEqOptionCode = "032";      // 269
inline constexpr std::string_view kToneCode = "033";          // 270
inline constexpr std::string_view kDcTriggerCode = "040";     // 271
inline constexpr std::string_view kDistanceCode = "041";      // 272
inline constexpr std::string_view kPictureModeCode = "042";   // 273
inline constexpr std::string_view kTunerCode = "050";         // 274

// Frames as they come down the line.
inline std::string Framed(char opening, std::string_view body) {
    return std::string(1, opening) + std::string(body) + "\x03";
}

}  // namespace tra1::test
