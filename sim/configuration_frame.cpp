#include "sim/configuration_frame.h"

#include <array>
#include <cstdint>

#include "model/hex_codes.h"
#include "model/model_profile.h"
#include "model/protocol.h"

namespace tra1::sim {
namespace {

constexpr std::string_view kFiller = "0000000000";

// The receiver's own code for the EX/ES setting (the editor's combo index 0..5).
int ExEsCode(std::uint8_t setting) {
    constexpr std::array<int, 6> kCodes{0, 2, 1, 4, 5, 6};
    return setting < kCodes.size() ? kCodes.at(setting) : 0;
}

// Volume steps travel as 0 or step + 38.
int VolumeCode(std::uint8_t step) {
    return step == 0 ? 0 : step + kVolumeOffset;
}

class DataWriter {
public:
    DataWriter() { data_.fill('0'); }
    void Digit(std::size_t position, int value) { data_.at(position) = Hex1(value)[0]; }
    void Two(std::size_t position, int value) {
        const auto digits = Hex2(value);
        data_.at(position) = digits[0];
        data_.at(position + 1) = digits[1];
    }
    std::string_view View() const { return {data_.data(), data_.size()}; }

private:
    std::array<char, kConfigurationDataLength> data_{};
};

}  // namespace

std::string ReportedModelCode(int modelCode) {
    if (modelCode < 0 || modelCode > ModelProfile::kHighestModelCode) {
        return "R9999";
    }
    return std::string(kReportedModelCodes.at(static_cast<std::size_t>(modelCode)));
}

std::string BuildConfigurationFrame(const ReceiverState& state, std::string_view modelCode) {
    const ReceiverImage& im = state.image;
    const auto& mz = im.MainZoneState;
    DataWriter d;
    d.Digit(1, state.power ? 1 : 0);
    d.Digit(2, mz.at(0));
    d.Digit(3, mz.at(1));
    d.Digit(4, mz.at(2) * 2);  // the receiver counts input modes in twos
    d.Digit(5, mz.at(13));
    d.Digit(6, mz.at(3));
    d.Digit(7, mz.at(14));
    d.Two(8, VolumeCode(mz.at(12)));
    d.Two(10, VolumeCode(mz.at(11)));
    const std::uint8_t program = mz.at(4);
    d.Two(12, ModelProfile::ProgramCode(ReceiverImage::ProgramOf(program)));
    d.Digit(14, ReceiverImage::EffectOff(program) ? 0 : 1);
    d.Digit(15, ExEsCode(mz.at(15)));
    d.Digit(16, mz.at(8) <= 2 ? 2 - mz.at(8) : 0);
    d.Digit(20, mz.at(25));
    d.Digit(22, mz.at(9));
    d.Digit(23, mz.at(10));
    d.Digit(24, mz.at(16));
    d.Digit(35, im.DcTrigger1.at(0));
    d.Digit(37, im.DcTrigger2.at(0));
    d.Digit(39, im.SpeakerSetup.at(8));
    d.Digit(40, im.MultiZoneSetting.at(1));
    // Channel levels in the order the receiver reports them.
    constexpr std::array<std::size_t, 12> kLevelBytes{0, 1, 2, 3, 4, 7, 8, 5, 6, 9, 10, 32};
    for (std::size_t i = 0; i < kLevelBytes.size(); ++i) {
        d.Two(41 + 2 * i, im.SpeakerLevels.at(kLevelBytes.at(i)));
    }
    d.Two(67, im.LfeDrange.at(0));
    d.Two(69, im.LfeDrange.at(1));
    d.Two(71, im.AudioDelay.at(0));
    d.Digit(77, im.InputModeSetting.at(0));
    constexpr std::array<std::size_t, 7> kDisplayPositions{78, 81, 80, 82, 83, 79, 100};
    for (std::size_t i = 0; i < kDisplayPositions.size(); ++i) {
        d.Digit(kDisplayPositions.at(i), im.DisplaySettings.at(i));
    }
    // Position 83 is shared: the video processor switch is the display's video conversion.
    constexpr std::array<std::size_t, 6> kVideoPositions{101, 102, 103, 104, 105, 106};
    for (std::size_t i = 0; i < kVideoPositions.size(); ++i) {
        d.Digit(kVideoPositions.at(i), im.VideoSettings.at(i + 1));
    }
    d.Digit(84, im.LfeDrange.at(2));
    d.Digit(85, im.LfeDrange.at(3));
    d.Digit(86, im.MultiZoneSetting.at(0));
    for (std::size_t i = 0; i < 6; ++i) {
        d.Digit(89 + i, im.SpeakerSetup.at(i));
    }
    d.Digit(95, im.SpeakerSetup.at(11));
    d.Digit(96, im.SpeakerSetup.at(6));
    d.Digit(97, im.SpeakerSetup.at(9));
    d.Digit(110, im.ThxSettings.at(0));
    d.Digit(111, im.ThxSettings.at(1));
    d.Digit(112, im.ThxSettings.at(2));

    std::string frame;
    frame.reserve(2 + 5 + kFiller.size() + kConfigurationDataLength);
    frame.push_back(control_byte::kDc2);
    std::string code(modelCode.substr(0, 5));
    code.resize(5, '0');
    frame += code;
    frame += kFiller;
    frame += d.View();
    frame.push_back(control_byte::kEtx);
    return frame;
}

}  // namespace tra1::sim
