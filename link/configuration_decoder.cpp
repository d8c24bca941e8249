#include "link/configuration_decoder.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "link/decoder_host.h"
#include "link/link_state.h"
#include "link/receiver_value.h"
#include "link/reply_digits.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

// The digits of the state data, by data position.
class StateData {
public:
    explicit StateData(std::string_view body) : body_(body) {}

    int Digit(std::size_t position) const {
        return ReplyDigitAt(body_, ConfigurationDecoder::kDataStart + position);
    }
    int Two(std::size_t position) const {
        return ReplyNumberAt(body_, ConfigurationDecoder::kDataStart + position, 2);
    }

private:
    std::string_view body_;
};

// Stores a byte at a fixed offset of a block; an offset outside the block stores nothing.
void Store(std::span<std::uint8_t> block, std::size_t offset, int value) {
    if (offset < block.size()) {
        block[offset] = static_cast<std::uint8_t>(value);
    }
}

// A program code the receiver reports is a program index only when the program table knows it.
bool IsKnownProgramCode(int code) {
    const int index = ModelProfile::ProgramIndex(code);
    return index >= 0 && index <= ModelProfile::kHighestProgram &&
           ModelProfile::ProgramCode(index) == code;
}

}  // namespace

std::string_view ReportedModelCode(std::string_view body) {
    if (body.size() < ConfigurationDecoder::kModelCodeLength) {
        return {};
    }
    return body.substr(0, ConfigurationDecoder::kModelCodeLength);
}

int VolumeStepOf(int reported) {
    if (reported == 0) {
        return 0;
    }
    return std::clamp(reported - kVolumeOffset, 0, ConfigurationDecoder::kMaxVolume);
}

bool ConfigurationDecoder::HasModelCode(std::string_view body) {
    // "R" and four decimal digits, as every model's code is written ("R3109"; an unknown
    // model such as "R9999" has the same form).
    if (body.size() < kModelCodeLength || body[0] != 'R') {
        return false;
    }
    for (std::size_t i = 1; i < kModelCodeLength; ++i) {
        if (body[i] < '0' || body[i] > '9') {
            return false;
        }
    }
    return true;
}

ConfigurationForm ConfigurationDecoder::FormOf(std::string_view body) {
    if (!HasModelCode(body)) {
        return ConfigurationForm::kNoModelCode;
    }
    if (body.size() < kPowerLength || body.size() > kFullLength) {
        return ConfigurationForm::kDamaged;
    }
    if (!AreReplyDigits(body, kDataStart, body.size() - kDataStart)) {
        return ConfigurationForm::kDamaged;
    }
    const bool standby = ReplyDigitAt(body, kDataStart + kPowerPosition) == 0;
    return standby || body.size() == kFullLength ? ConfigurationForm::kWhole
                                                 : ConfigurationForm::kShort;
}

ConfigurationOutcome ConfigurationDecoder::DecodeConfiguration(std::string_view body) {
    if (body.size() < kPowerLength) {
        return ConfigurationOutcome::kTooShort;
    }
    if (body.size() > kFullLength || !AreReplyDigits(body, kDataStart, body.size() - kDataStart)) {
        // A character where a digit belongs, or more than the frame holds: line noise, whose
        // values must not be stored.
        return ConfigurationOutcome::kMalformed;
    }
    if (state_.decodeSkipCount > 0) {
        --state_.decodeSkipCount;
        return ConfigurationOutcome::kSkipped;
    }
    if (state_.echoGuard) {
        return ConfigurationOutcome::kEcho;
    }
    const StateData data(body);
    if (data.Digit(kPowerPosition) == 0) {
        Store(image_.MainZoneState, main_zone::kPower, 0);
        state_.powerReported = true;
        return ConfigurationOutcome::kPowerOff;
    }
    Store(image_.MainZoneState, main_zone::kPower, 1);
    state_.powerReported = true;
    if (body.size() < kFullLength) {
        // The receiver is on; what it reports beyond the cut is not there to decode.
        return ConfigurationOutcome::kTooShort;
    }
    if (!state_.realtimeMode && state_.uploadInProgress == 0) {
        heardInStep_.clear();
        heardStep_ = 0;
        return ConfigurationOutcome::kPowerOnOnly;
    }
    if (!state_.realtimeMode && !ConfirmedInStep(body)) {
        return ConfigurationOutcome::kUnconfirmed;
    }
    StoreFields(body);
    host_.RefreshPanels();
    if (state_.awaitedFunction == command::kStatusRequest) {
        state_.awaitedFunction = LinkState::kNone;
        state_.waitingCounter = 0;
    }
    return ConfigurationOutcome::kDecoded;
}

bool ConfigurationDecoder::ConfirmedInStep(std::string_view body) {
    // The frame carries no checksum, and a flipped bit often turns a digit into another digit:
    // an upload believes the receiver's state only when two frames heard in the same step are
    // the same, whether they answer its status requests or come late or unasked. Each status
    // step asks twice; when both answers are in and none agrees with a frame heard before in
    // the step, the step asks again at once.
    if (heardStep_ != state_.uploadInProgress) {
        heardStep_ = state_.uploadInProgress;
        heardInStep_.clear();
        unconfirmedInStep_ = 0;
    }
    if (std::find(heardInStep_.begin(), heardInStep_.end(), body) != heardInStep_.end()) {
        return true;
    }
    if (heardInStep_.size() >= kFramesKeptPerStep) {
        heardInStep_.erase(heardInStep_.begin());
    }
    heardInStep_.emplace_back(body);
    if (state_.awaitedFunction == command::kStatusRequest && ++unconfirmedInStep_ % 2 == 0) {
        state_.awaitedFunction = LinkState::kNone;
        state_.waitingCounter = 0;
        --state_.uploadInProgress;
    }
    return false;
}

void ConfigurationDecoder::StoreFields(std::string_view body) {
    const StateData data(body);
    auto& zone = image_.MainZoneState;

    const int mainInput = ReceiverValue(receiver_table::kInput, data.Digit(2));
    Store(zone, main_zone::kMainInput, mainInput);
    Store(zone, main_zone::kMultiChannelInput,
          ReceiverValue(receiver_table::kInput, data.Digit(3)));
    Store(zone, main_zone::kInputMode, ReceiverValue(receiver_table::kInputMode, data.Digit(4)));
    Store(zone, main_zone::kMainMute, ReceiverValue(receiver_table::kMute, data.Digit(5)));
    Store(zone, main_zone::kZone2Input, ReceiverValue(receiver_table::kZone2Input, data.Digit(6)));
    Store(zone, main_zone::kZone2Mute, ReceiverValue(receiver_table::kZone2Mute, data.Digit(7)));
    Store(zone, main_zone::kMainVolume, VolumeStepOf(data.Two(8)));
    Store(zone, main_zone::kZone2Volume, VolumeStepOf(data.Two(10)));

    // The current program: a code the program table does not know would index past the DSP
    // table wherever the program byte is used, so it leaves the program bytes as they are.
    const int programCode = data.Two(12);
    const bool knownProgram = IsKnownProgramCode(programCode);
    const int program = ModelProfile::ProgramIndex(programCode);
    if (knownProgram) {
        Store(zone, main_zone::kCurrentProgram, program);
    }
    const int effect = data.Digit(14);
    Store(zone, main_zone::kReported5, effect);
    if (knownProgram) {
        // Effect digit 0: the input plays without sound program (flag bit set).
        const int programByte = program | (effect == 0 ? program_byte::kEffectOffFlag : 0);
        Store(image_.InputProgramMap, static_cast<std::size_t>(mainInput), programByte);
    }

    Store(zone, main_zone::kExEsDecoder, ReceiverValue(receiver_table::kExEs, data.Digit(15)));
    // The receiver reports the on-screen display as 2 - value; digits above 2 mean "off".
    Store(zone, main_zone::kOnScreenDisplay, std::max(0, 2 - data.Digit(16)));
    Store(zone, main_zone::kNightMode, data.Digit(20));
    Store(zone, main_zone::kSpeakerA, data.Digit(22));
    Store(zone, main_zone::kSpeakerB, data.Digit(23));
    Store(zone, main_zone::kReported16, data.Digit(24));

    Store(image_.DcTrigger1, dc_trigger::kMode,
          ReceiverValue(receiver_table::kTriggerMode, data.Digit(35)));
    Store(image_.DcTrigger2, dc_trigger::kMode,
          ReceiverValue(receiver_table::kTriggerMode, data.Digit(37)));
    Store(image_.SpeakerSetup, speaker_setup::kSpeakerBSet,
          ReceiverValue(receiver_table::kSpeakerBSet, data.Digit(39)));
    Store(image_.MultiZoneSetting, multi_zone::kZone2Amp, data.Digit(40));

    // Speaker levels: two digits each, in the receiver's channel order.
    struct LevelField {
        std::size_t position;
        std::size_t level;
    };
    static constexpr LevelField kLevels[] = {
        {41, 0}, {43, 1}, {45, 2}, {47, 3}, {49, 4},  {51, 7},
        {53, 8}, {55, 5}, {57, 6}, {59, 9}, {61, 10}, {63, speaker_levels::kReportedLevel},
    };
    for (const LevelField& field : kLevels) {
        Store(image_.SpeakerLevels, field.level, data.Two(field.position));
    }
    Store(image_.LfeDrange, lfe_drange::kLfeSpeaker, data.Two(67));
    Store(image_.LfeDrange, lfe_drange::kLfeHeadphone, data.Two(69));
    Store(image_.AudioDelay, 0, data.Two(71));
    Store(image_.InputModeSetting, 0, data.Digit(77));

    // Display settings 0..6 and video settings 0..6, one digit each; position 83 feeds both.
    static constexpr std::size_t kDisplayPositions[] = {78, 81, 80, 82, 83, 79, 100};
    for (std::size_t i = 0; i < std::size(kDisplayPositions); ++i) {
        Store(image_.DisplaySettings, i, data.Digit(kDisplayPositions[i]));
    }
    static constexpr std::size_t kVideoPositions[] = {83, 101, 102, 103, 104, 105, 106};
    for (std::size_t i = 0; i < std::size(kVideoPositions); ++i) {
        Store(image_.VideoSettings, i, data.Digit(kVideoPositions[i]));
    }

    Store(image_.LfeDrange, lfe_drange::kDrangeSpeaker, data.Digit(84));
    Store(image_.LfeDrange, lfe_drange::kDrangeHeadphone, data.Digit(85));
    Store(image_.MultiZoneSetting, multi_zone::kZone2Out, data.Digit(86));
    for (std::size_t i = 0; i < 6; ++i) {
        Store(image_.SpeakerSetup, i, data.Digit(89 + i));
    }
    Store(image_.SpeakerSetup, speaker_setup::kPhase, data.Digit(95));
    Store(image_.SpeakerSetup, speaker_setup::kSubwooferConfig, data.Digit(96));
    Store(image_.SpeakerSetup, speaker_setup::kCrossover, data.Digit(97));
    for (std::size_t i = 0; i < 3; ++i) {
        Store(image_.ThxSettings, i, data.Digit(110 + i));
    }
}

}  // namespace tra1
