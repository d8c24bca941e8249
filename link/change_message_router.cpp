#include "link/change_message_router.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/command_sender.h"
#include "link/dsp_parameter_slot.h"
#include "link/link_state.h"
#include "model/extended_places.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {

namespace cm = change_message;
namespace ef = extended_function;

namespace {

constexpr int kTunerInput = input_index::kTuner;
constexpr int kTunerPageCount = extended_place::kTunerPageCount;
constexpr int kPresetsPerPage = extended_place::kTunerPresetsPerPage;

// The DC TRIGGER lParam: the multi-channel switch, the third row, the second row.
constexpr std::intptr_t kDcMultiChannelFlag = 0x800;
constexpr std::intptr_t kDcThirdRowFlag = 0x100;
constexpr std::intptr_t kDcSecondRowFlag = 0x80;
constexpr int kDcMultiChannelItem = extended_place::kDcTriggerMultiChannelItem;

// A wParam or lParam as an index, when it lies in first..last.
template <typename T>
bool InRange(T value, long long first, long long last) {
    const auto v = static_cast<long long>(value);
    return v >= first && v <= last;
}

}  // namespace

ChangeMessageRouter::ChangeMessageRouter(ReceiverImage& image, ModelProfile& profile,
                                         LinkState& state, CommandSender& sender,
                                         ChangeMessageHost& host)
    : image_(image), profile_(profile), state_(state), sender_(sender), host_(host) {}

bool ChangeMessageRouter::Handles(win::Msg msg) {
    switch (msg) {
        case cm::kRefreshMainWindow:
        case cm::kSpeakerLevel:
        case cm::kSpeakerLevelHidden:
        case cm::kLfeLevel:
        case cm::kDynamicRange:
        case cm::kSpeakerSet:
        case cm::kDelay:
        case cm::kExternalInput:
        case cm::kInputMode:
        case cm::kDisplaySet:
        case cm::kMultiZone:
        case cm::kMainInput:
        case cm::kProgram:
        case cm::kDialogLift:
        case cm::kThxSet:
        case cm::kVideoProcessor:
        case cm::kSpeakerDistance:
        case cm::kInputTrim:
        case cm::kInputRename:
        case cm::kGraphicEq:
        case cm::kGraphicEqOption:
        case cm::kIoAssign:
        case cm::kTuner:
        case cm::kDcTrigger:
        case cm::kDspParameter:
        case cm::kToneControl:
        case cm::kCinemaEq:
            return true;
        default:
            return false;
    }
}

std::optional<win::LResult> ChangeMessageRouter::Handle(win::Msg msg, win::WParam w,
                                                        win::LParam l) {
    if (!Handles(msg)) {
        return std::nullopt;
    }
    // The messages that behave the same in both modes, or have no asynchronous hold reset.
    switch (msg) {
        case cm::kRefreshMainWindow:
            UpdateCurrentProgram();
            return 1;
        case cm::kSpeakerLevelHidden:
        case cm::kExternalInput:
            return 1;
        case cm::kInputTrim:
            // Sent in both modes (the sender itself lets nothing through in asynchronous mode
            // without a transfer); the hold counters keep running.
            return InputTrim(w);
        case cm::kDcTrigger:
            return state_.realtimeMode ? DcTrigger(w, l) : 1;
        case cm::kMultiZone:
            host_.ShowZone2Controls();
            break;
        default:
            break;
    }

    if (!state_.realtimeMode) {
        HoldReset();
        return 1;
    }

    switch (msg) {
        case cm::kSpeakerLevel:
            return SpeakerLevel(w);
        case cm::kLfeLevel:
            return LfeLevel(w);
        case cm::kDynamicRange:
            return DynamicRange(w);
        case cm::kSpeakerSet:
            return SpeakerSet(w);
        case cm::kDelay:
            sender_.SendCommand(command::kAudioDelay, image_.AudioDelay[0]);
            return 1;
        case cm::kInputMode:
            sender_.SendCommand(command::kInputModeSetting, image_.InputModeSetting[0]);
            return 1;
        case cm::kDisplaySet:
            return DisplaySet(w);
        case cm::kMultiZone:
            return MultiZone(w);
        case cm::kMainInput:
            sender_.SendCommand(command::kMainInput, image_.MainZoneState[main_zone::kMainInput]);
            return 1;
        case cm::kProgram:
            return Program(w);
        case cm::kDialogLift:
            sender_.SendCommand(command::kDialogLift, static_cast<int>(w));
            return 1;
        case cm::kThxSet:
            return ThxSet(w, l);
        case cm::kVideoProcessor:
            return VideoProcessor(w, l);
        case cm::kSpeakerDistance:
            return SpeakerDistance(w);
        case cm::kInputRename:
            return InputRename(w);
        case cm::kGraphicEq:
            return GraphicEq(w, l);
        case cm::kGraphicEqOption:
            return GraphicEqOption(w);
        case cm::kIoAssign:
            return IoAssign(w, l);
        case cm::kTuner:
            return Tuner(w, l);
        case cm::kDspParameter:
            return DspParameter(w, l);
        case cm::kToneControl:
            return ToneControl(w, l);
        case cm::kCinemaEq:
            return CinemaEq(w);
        default:
            return 1;
    }
}

void ChangeMessageRouter::UpdateCurrentProgram() {
    // The whole program byte, effect-off flag included: the program command tests that bit.
    image_.MainZoneState[main_zone::kCurrentProgram] =
        image_.InputProgramByte(image_.MainZoneState[main_zone::kMainInput]);
    host_.ShowProgram();
}

void ChangeMessageRouter::HoldReset() {
    state_.decodeSkipCount = 0;
    host_.ResetPanelHolds();
}

void ChangeMessageRouter::SendCommandHoldingLink(int commandNumber, int value) {
    state_.linkBusy = true;
    sender_.SendCommand(commandNumber, value);
    state_.linkBusy = false;
}

win::LResult ChangeMessageRouter::SpeakerLevel(win::WParam n) {
    if (InRange(n, 0, 10)) {
        const auto channel = static_cast<int>(n);
        SendCommandHoldingLink(command::kFirstSpeakerLevel + channel, image_.SpeakerLevels.at(n));
    }
    return 1;
}

win::LResult ChangeMessageRouter::LfeLevel(win::WParam n) {
    if (InRange(n, 0, 1)) {
        SendCommandHoldingLink(command::kFirstLfeLevel + static_cast<int>(n),
                               image_.LfeDrange.at(n));
    }
    return 1;
}

win::LResult ChangeMessageRouter::DynamicRange(win::WParam n) {
    if (InRange(n, 0, 1)) {
        sender_.SendCommand(command::kFirstDynamicRange + static_cast<int>(n),
                            image_.LfeDrange.at(2 + n));
    }
    return 1;
}

win::LResult ChangeMessageRouter::SpeakerSet(win::WParam n) {
    const auto& setup = image_.SpeakerSetup;
    if (InRange(n, 0, 5)) {
        sender_.SendCommand(command::kFirstSpeakerSet + static_cast<int>(n), setup.at(n));
    } else if (n == speaker_setup::kSubwooferConfig) {
        // The receiver takes the subwoofer phase as four added to the configuration.
        const int phase = setup[speaker_setup::kPhase] != 0 ? 4 : 0;
        sender_.SendCommand(command::kSubwooferConfig,
                            setup[speaker_setup::kSubwooferConfig] + phase);
    } else if (n == speaker_setup::kSpeakerBSet) {
        sender_.SendCommand(command::kSpeakerBSet, setup[speaker_setup::kSpeakerBSet]);
    } else if (n == speaker_setup::kCrossover) {
        sender_.SendCommand(command::kCrossover, setup[speaker_setup::kCrossover]);
    }
    return 1;
}

win::LResult ChangeMessageRouter::DisplaySet(win::WParam n) {
    const auto& display = image_.DisplaySettings;
    namespace dl = display_layout;
    switch (n) {
        case dl::kDimmer:
            sender_.SendCommand(command::kDimmer, display[dl::kDimmer]);
            break;
        case dl::kOsdShiftH:
        case dl::kOsdShiftV:
            // Both shifts travel in one value: vertical in the high digit.
            sender_.SendCommand(command::kOsdShift,
                                display[dl::kOsdShiftV] * 16 + display[dl::kOsdShiftH]);
            break;
        case dl::kGrayBack:
            sender_.SendCommand(command::kGrayBack, display[dl::kGrayBack]);
            break;
        case dl::kVideoConversion:
            sender_.SendCommand(command::kVideoConversion, display[dl::kVideoConversion]);
            break;
        case dl::kComponentOsd:
            sender_.SendCommand(command::kComponentOsd, display[dl::kComponentOsd]);
            break;
        case dl::kWallPaper:
            sender_.SendCommand(command::kWallPaper, display[dl::kWallPaper]);
            break;
        default:
            break;
    }
    return 1;
}

win::LResult ChangeMessageRouter::MultiZone(win::WParam n) {
    if (n == multi_zone::kZone2Out) {
        sender_.SendCommand(command::kZone2Out, image_.MultiZoneSetting[multi_zone::kZone2Out]);
    } else if (n == multi_zone::kZone2Amp) {
        sender_.SendCommand(command::kZone2Amp, image_.MultiZoneSetting[multi_zone::kZone2Amp]);
    }
    return 1;
}

win::LResult ChangeMessageRouter::Program(win::WParam f) {
    const std::uint8_t program = image_.MainZoneState[main_zone::kCurrentProgram];
    if (f != 0 && ReceiverImage::EffectOff(program)) {
        sender_.SendCommand(command::kEffectOff, 0);
    } else {
        // The program's position in the command row, without the effect-off flag, as
        // everywhere else the program byte is sent.
        sender_.SendCommand(command::kProgram, ReceiverImage::ProgramOf(program));
    }
    return 1;
}

win::LResult ChangeMessageRouter::ThxSet(win::WParam n, win::LParam v) {
    if (InRange(n, 0, 2)) {
        sender_.SendCommand(command::kFirstThx + static_cast<int>(n), static_cast<int>(v));
    }
    return 1;
}

win::LResult ChangeMessageRouter::VideoProcessor(win::WParam c, win::LParam v) {
    if (c == static_cast<win::WParam>(ef::kPictureMode)) {
        const std::size_t mode = image_.VideoSettings[video_layout::kPictureMode];
        if (mode >= picture_mode::kRecordCount) {
            return 1;  // no such record: nothing to send
        }
        const std::size_t base = mode * picture_mode::kRecordSize;
        const auto& adjust = image_.PictureModeAdjust;
        sender_.SendExtended(ef::kPictureMode, ef::kWrite, static_cast<int>(mode), adjust.at(base),
                             adjust.at(base + 1), adjust.at(base + 2), adjust.at(base + 3),
                             adjust.at(base + 4));
    } else if (c == static_cast<win::WParam>(command::kVideoConversion) ||
               InRange(c, command::kFirstVideoSetting, command::kLastVideoSetting)) {
        sender_.SendCommand(static_cast<int>(c), static_cast<int>(v));
    }
    return 1;
}

win::LResult ChangeMessageRouter::SpeakerDistance(win::WParam i) {
    if (InRange(i, 0, speaker_distance::kEntryCount - 1)) {
        const auto entry = static_cast<int>(i);
        sender_.SendExtended(ef::kSpeakerDistance, ef::kWrite, entry,
                             image_.SpeakerDistance(speaker_distance::kUnit),
                             image_.SpeakerDistance(entry));
    }
    return 1;
}

win::LResult ChangeMessageRouter::InputTrim(win::WParam i) {
    if (InRange(i, 0, image_.InputTrims.size() - 1)) {
        sender_.SendExtended(ef::kInputTrim, ef::kWrite, static_cast<int>(i),
                             image_.InputTrims.at(i));
    }
    return 1;
}

win::LResult ChangeMessageRouter::InputRename(win::WParam i) {
    if (!InRange(i, 0, input_names::kEntryCount - 1)) {
        return 1;
    }
    const auto input = static_cast<int>(i);
    // Names beyond the model's inputs belong to its multi-channel input.
    const int target = input > ModelProfile::kInputCount && profile_.HasMultiChannelInput()
                           ? input_index::kMultiChannel
                           : input;
    const std::string name = image_.InputName(input);
    sender_.SendExtended(ef::kInputName, ef::kWrite, target, 0, 0, 0, 0, 0, name);
    return 1;
}

win::LResult ChangeMessageRouter::GraphicEq(win::WParam t, win::LParam b) {
    const bool table = t == 0 || InRange(t, 2, eq_layout::kChannelCount - 1);
    if (!table) {
        return 0;
    }
    if (InRange(b, 0, eq_layout::kBandsPerChannel - 1)) {
        const std::size_t offset = eq_layout::kBandsPerChannel * t + static_cast<std::size_t>(b);
        sender_.SendExtended(ef::kEqBand, ef::kWrite, static_cast<int>(t), static_cast<int>(b),
                             image_.EqSettings.at(offset));
    }
    return 1;
}

win::LResult ChangeMessageRouter::GraphicEqOption(win::WParam i) {
    if (InRange(i, 0, 1)) {
        sender_.SendExtended(ef::kEqOption, ef::kWrite, static_cast<int>(i),
                             image_.EqSettings.at(eq_layout::kOption1 + i));
    }
    return 1;
}

win::LResult ChangeMessageRouter::IoAssign(win::WParam r, win::LParam k) {
    if (InRange(r, 0, io_assign::kRowCount - 1) && InRange(k, 0, io_assign::kRowSize - 1)) {
        const auto row = static_cast<int>(r);
        const auto position = static_cast<int>(k);
        sender_.SendExtended(ef::kIoAssign, ef::kWrite, row, position,
                             image_.IoAssign(row, position));
    }
    return 1;
}

win::LResult ChangeMessageRouter::Tuner(win::WParam p, win::LParam n) {
    int entry = 0;
    int number = 0;
    if (p != 0) {
        if (!InRange(p, 1, kTunerPageCount) || !InRange(n, 1, kPresetsPerPage)) {
            return 1;
        }
        number = static_cast<int>(n);
        entry = kPresetsPerPage * (static_cast<int>(p) - 1) + number;
    }
    // A preset only plays on the tuner input.
    if (image_.MainZoneState[main_zone::kMainInput] != kTunerInput) {
        sender_.SendCommand(command::kMainInput, kTunerInput);
    }
    const std::uint8_t band = image_.TunerBand(entry);
    const std::string_view frequency = profile_.TunerFrequencyText(band, image_.TunerStep(entry));
    sender_.SendExtended(ef::kTunerPreset, ef::kWrite, static_cast<int>(p), number, band, 0, 0, 0,
                         frequency);
    return 1;
}

win::LResult ChangeMessageRouter::DcTrigger(win::WParam a, win::LParam f) {
    if (!InRange(a, 0, 1)) {
        return 1;
    }
    const auto trigger = static_cast<int>(a);
    const auto& block = trigger == 0 ? image_.DcTrigger1 : image_.DcTrigger2;
    if (f == 0) {
        sender_.SendCommand(trigger == 0 ? command::kDcTrigger1Mode : command::kDcTrigger2Mode,
                            block[dc_trigger::kMode]);
        return 1;
    }
    if ((f & kDcMultiChannelFlag) != 0) {
        sender_.SendExtended(ef::kDcTrigger, ef::kWrite, trigger, 0, kDcMultiChannelItem,
                             static_cast<int>(f & 0xFF));
        return 1;
    }
    int row = 0;
    long long item = 0;
    if ((f & kDcThirdRowFlag) != 0) {
        row = 2;
        item = (f & 0xFF) - 1;
    } else {
        row = (f & kDcSecondRowFlag) != 0 ? 1 : 0;
        item = (f & 0x7F) - 1;
    }
    if (!InRange(item, 0, dc_trigger::kRowSize - 1)) {
        return 1;  // item 0 names no input
    }
    const std::size_t offset =
        dc_trigger::kZone1Row + dc_trigger::kRowSize * row + static_cast<std::size_t>(item);
    sender_.SendExtended(ef::kDcTrigger, ef::kWrite, trigger, row, static_cast<int>(item),
                         block.at(offset));
    return 1;
}

DspParameterSend ChangeMessageRouter::EncodeDspParameter(int slot, int value) {
    if (slot == 5) {
        // A change of slot 5 in the panel goes to the receiver as parameter 5's multi-channel
        // field; the transfers carry that field with slot 33 and leave slot 5 under its own number.
        return {5, 4, value};
    }
    const auto line = DspLineParameterOf(slot);
    if (!line) {
        return {slot, 1, value};
    }
    return {line->parameter, line->subDigit, DspLineValueOf(slot, value)};
}

win::LResult ChangeMessageRouter::DspParameter(win::WParam g, win::LParam s) {
    if (!InRange(g, 0, ModelProfile::kHighestProgram) ||
        !InRange(s, 0, ModelProfile::kParametersPerProgram - 1)) {
        return 1;
    }
    const auto program = static_cast<int>(g);
    const auto slot = static_cast<int>(s);
    const DspParameterSend send = EncodeDspParameter(slot, image_.DspParameter(program, slot));
    sender_.SendExtended(ef::kDspParameter, ef::kWrite, ModelProfile::ProgramCode(program),
                         send.parameter, send.subDigit, send.value);
    return 1;
}

win::LResult ChangeMessageRouter::ToneControl(win::WParam a, win::LParam b) {
    if (InRange(a, 0, 1) && InRange(b, 0, 1)) {
        const std::size_t offset = 4 * a + 2 * static_cast<std::size_t>(b);
        sender_.SendExtended(ef::kTone, ef::kWrite, static_cast<int>(a), static_cast<int>(b),
                             image_.ToneSettings.at(offset), image_.ToneSettings.at(offset + 1));
    }
    return 1;
}

win::LResult ChangeMessageRouter::CinemaEq(win::WParam r) {
    if (!InRange(r, 0, eq_layout::kCinemaEqRecordCount - 1)) {
        return 0;
    }
    const std::size_t base = eq_layout::kCinemaEq + eq_layout::kCinemaEqRecordSize * r;
    const auto& eq = image_.EqSettings;
    sender_.SendExtended(ef::kCinemaEq, ef::kWrite, static_cast<int>(r), eq.at(base),
                         eq.at(base + 1), eq.at(base + 2), eq.at(base + 3), eq.at(base + 4));
    return 1;
}

}  // namespace tra1
