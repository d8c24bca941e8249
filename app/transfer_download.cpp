#include "app/transfer_download.h"

#include <cstddef>
#include <string>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_output.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace ef = extended_function;

// Step numbers of the pass.
constexpr int kLastProgramStep = 77;
constexpr int kFirstInputStep = 78;
constexpr int kLastInputStep = 90;
constexpr int kFirstIoStep = 91;
constexpr int kLastIoStep = 110;
constexpr int kNamesStep = 111;
constexpr int kToneStep = 112;
constexpr int kTunerInputStep = 113;
constexpr int kFirstTunerStep = 114;
constexpr int kLastTunerStep = 154;
constexpr int kFirstTriggerStep = 155;
constexpr int kLastTriggerStep = 180;
constexpr int kFirstEqStep = 193;
constexpr int kLastEqStep = 322;
constexpr int kFirstTrimStep = 328;

constexpr int kTunerInput = 2;
constexpr int kTriggerInputs = 13;
constexpr int kNameCount = 14;
constexpr int kTrimCount = 14;
constexpr int kDistanceCount = 13;
constexpr int kTunerSettleMs = 1000;
constexpr int kTriggerMs = 50;
constexpr int kSlowProgramMs = 20;

}  // namespace

int DownloadSequence::MainZone(int offset) const {
    return image_.MainZoneState.at(static_cast<std::size_t>(offset));
}

int DownloadSequence::CurrentProgram() const {
    return image_.InputProgram(MainZone(main_zone::kMainInput));
}

bool DownloadSequence::Step(int s, bool laterPass) {
    if (s < kFirstStep || s > kLastStep) {
        return false;
    }
    if (s == kFirstStep) {
        StartPass();
    }
    if (s <= kLastProgramStep) {
        const int program = (s - kFirstStep) / 2;
        if (laterPass && program != CurrentProgram()) {
            return true;
        }
        if (s % 2 == 0) {
            SelectProgram(program);
        } else {
            WriteProgramParameters(program);
        }
        return true;
    }
    if (s <= kLastInputStep) {
        WriteInputProgram(s - kFirstInputStep);
        if (s == kLastInputStep) {
            out_.Command(command::kExEs, MainZone(main_zone::kExEsDecoder));
        }
        return true;
    }
    if (s <= kLastIoStep) {
        WriteIoAssignment(s - kFirstIoStep, laterPass);
        return true;
    }
    if (s == kNamesStep) {
        if (!laterPass) {
            WriteInputNames();
        }
        return true;
    }
    if (s == kToneStep) {
        WriteTone();
        return true;
    }
    if (s <= kLastTunerStep) {
        if (laterPass) {
            return true;
        }
        if (s == kTunerInputStep) {
            out_.Command(command::kMainInput, kTunerInput);
        } else {
            WriteTunerPreset(s - kFirstTunerStep);
        }
        return true;
    }
    if (s <= kLastTriggerStep) {
        if (!laterPass) {
            WriteTriggerInput(s - kFirstTriggerStep);
        }
        return true;
    }
    switch (s) {
        case 181:
            // The settings that must be in a known state before the speaker set-up is written.
            out_.Command(command::kSpeakerBSet, 0);
            out_.Command(command::kZone2Amp, 0);
            out_.Command(command::kFirstSpeakerSet, 0);
            out_.Command(command::kFirstSpeakerSet + 2, 0);
            out_.Command(command::kFirstSpeakerSet + 3, 0);
            out_.Command(command::kFirstSpeakerSet + 4, 1);
            return true;
        case 182:
            for (int k = 0; k <= 10; ++k) {
                out_.Command(command::kFirstSpeakerLevel + k,
                             image_.SpeakerLevels.at(static_cast<std::size_t>(k)));
            }
            return true;
        case 183: {
            constexpr int kLfeDrangeCommands[] = {
                command::kFirstLfeLevel, command::kFirstLfeLevel + 1, command::kFirstDynamicRange,
                command::kFirstDynamicRange + 1};
            for (std::size_t k = 0; k < 4; ++k) {
                out_.Command(kLfeDrangeCommands[k], image_.LfeDrange.at(k));
            }
            return true;
        }
        case 184:
            out_.Command(command::kAudioDelay, image_.AudioDelay.at(0));
            return true;
        case 185:
            out_.Command(command::kMainInput, MainZone(main_zone::kMainInput));
            out_.Command(command::kInputMode, 2 * MainZone(main_zone::kInputMode));
            out_.Command(command::kZone2Input, MainZone(main_zone::kZone2Input));
            return true;
        case 186:
            WriteZone2();
            return true;
        case 187:
            return true;  // zone 3: this model has none
        case 188:
            out_.Command(command::kZone2Out, image_.MultiZoneSetting.at(multi_zone::kZone2Out));
            out_.Command(command::kZone2Amp, image_.MultiZoneSetting.at(multi_zone::kZone2Amp));
            return true;
        case 189:
            WriteDisplay();
            return true;
        case 190:
            WriteMainZoneSwitches();
            return true;
        case 191:
            WriteSpeakerSetup();
            return true;
        case 192:
            out_.Command(command::kMainVolume, MainZone(main_zone::kMainVolume));
            out_.Command(command::kMainMute, MainZone(main_zone::kMainMute));
            return true;
        default:
            break;
    }
    if (s <= kLastEqStep) {
        WriteGraphicEqBand(s - kFirstEqStep);
        return true;
    }
    switch (s) {
        case 323:
            WriteCinemaEq();
            return true;
        case 324:
            for (int k = 0; k < 3; ++k) {
                out_.Command(command::kFirstThx + k,
                             image_.ThxSettings.at(static_cast<std::size_t>(k)));
            }
            return true;
        case 325:
            WriteDistances();
            return true;
        case 326:
            WriteVideo();
            return true;
        case 327:
            WritePictureModes();
            return true;
        default:
            break;
    }
    const int input = s - kFirstTrimStep;
    if (input >= 0 && input < kTrimCount) {
        out_.Write(ef::kInputTrim, input, image_.InputTrims.at(static_cast<std::size_t>(input)));
    }
    return true;
}

void DownloadSequence::StartPass() {
    // Multi-channel input off, the last input in its first mode, night mode on: a state in which
    // the receiver accepts every program and parameter.
    out_.Command(command::kMultiChannelInput, 0);
    out_.Command(command::kMainInput, ModelProfile::kHighestInput);
    out_.Command(command::kInputMode, 0);
    out_.Command(command::kNightMode, 1);
}

void DownloadSequence::SelectProgram(int program) {
    out_.Command(command::kProgram, program);
}

void DownloadSequence::WriteProgramParameters(int program) {
    const int code = ModelProfile::ProgramCode(program);
    for (int slot = 0; slot < ModelProfile::kParametersPerProgram; ++slot) {
        if (!ReceiverHasSlot(program, slot)) {
            continue;
        }
        const auto wire = WireParameterOf(program, slot);
        if (!wire) {
            continue;
        }
        const int value = WireValueOf(slot, image_.DspParameter(program, slot));
        out_.Write(ef::kDspParameter, code, wire->parameter, wire->subIndex, value);
        if (program == kSecondDecodeTypeProgram) {
            out_.Pause(kSlowProgramMs);
        }
    }
}

void DownloadSequence::WriteInputProgram(int input) {
    const std::uint8_t programByte = image_.InputProgramByte(input);
    out_.Command(command::kMainInput, input);
    out_.Command(command::kProgram, ReceiverImage::ProgramOf(programByte));
    if (ReceiverImage::EffectOff(programByte)) {
        out_.Command(command::kEffectOff, 0);
    }
}

void DownloadSequence::WriteIoAssignment(int index, bool laterPass) {
    // One jack per step: group 0 (6 jacks), 1 (3), 2 (7), 3 (4).
    int group = 0;
    int position = index;
    while (group < static_cast<int>(io_assign::kRowCount) &&
           position >=
               static_cast<int>(io_assign::kJackCount.at(static_cast<std::size_t>(group)))) {
        position -= static_cast<int>(io_assign::kJackCount.at(static_cast<std::size_t>(group)));
        ++group;
    }
    if (group >= static_cast<int>(io_assign::kRowCount) || (laterPass && group == 0)) {
        return;
    }
    out_.Write(ef::kIoAssign, group, position, image_.IoAssign(group, position));
}

void DownloadSequence::WriteInputNames() {
    for (int input = 0; input < kNameCount; ++input) {
        const std::string name = image_.InputName(input);
        out_.Write(ef::kInputName, input, 0, 0, 0, 0, 0, name);
    }
}

void DownloadSequence::WriteTone() {
    for (int a = 0; a < 2; ++a) {
        for (int b = 0; b < 2; ++b) {
            const auto at = static_cast<std::size_t>(4 * a + 2 * b);
            out_.Write(ef::kTone, a, b, image_.ToneSettings.at(at), image_.ToneSettings.at(at + 1));
        }
    }
}

void DownloadSequence::WriteTunerPreset(int entry) {
    const int band = image_.TunerBand(entry);
    const std::string text(profile_.TunerFrequencyText(band, image_.TunerStep(entry)));
    if (entry == 0) {
        out_.Write(ef::kTunerPreset, 0, 0, band, 0, 0, 0, text);
        out_.Pause(kTunerSettleMs);
        return;
    }
    const int page = (entry - 1) / 8 + 1;
    const int number = (entry - 1) % 8 + 1;
    out_.Write(ef::kTunerPreset, page, number, band, 0, 0, 0, text);
}

void DownloadSequence::WriteTriggerInput(int step) {
    const int trigger = step / kTriggerInputs;
    const int input = step % kTriggerInputs;
    const auto& block = trigger == 0 ? image_.DcTrigger1 : image_.DcTrigger2;
    // The right trigger takes its settings more slowly.
    const int pause = trigger == 0 ? 0 : kTriggerMs;
    if (input == 0) {
        out_.Command(trigger == 0 ? command::kDcTrigger1Mode : command::kDcTrigger2Mode,
                     block.at(dc_trigger::kMode));
        if (pause > 0) {
            out_.Pause(pause);
        }
    }
    for (int row = 0; row < 2; ++row) {
        const auto at = dc_trigger::kZone1Row +
                        dc_trigger::kRowSize * static_cast<std::size_t>(row) +
                        static_cast<std::size_t>(input);
        out_.Write(ef::kDcTrigger, trigger, row, input, block.at(at));
        if (pause > 0) {
            out_.Pause(pause);
        }
    }
}

void DownloadSequence::WriteZone2() {
    out_.Command(command::kZone2Out, 0);
    // Twice: the first only wakes the zone 2 volume when its output was fixed.
    out_.Command(command::kZone2Volume, MainZone(main_zone::kZone2Volume));
    out_.Command(command::kZone2Volume, MainZone(main_zone::kZone2Volume));
    out_.Command(command::kZone2Mute, MainZone(main_zone::kZone2Mute));
}

void DownloadSequence::WriteDisplay() {
    const auto& d = image_.DisplaySettings;
    out_.Command(command::kDimmer, d.at(display_layout::kDimmer));
    out_.Command(command::kOsdShift,
                 d.at(display_layout::kOsdShiftV) * 16 + d.at(display_layout::kOsdShiftH));
    out_.Command(command::kWallPaper, d.at(display_layout::kWallPaper));
    out_.Command(command::kVideoConversion, d.at(display_layout::kVideoConversion));
    out_.Command(command::kComponentOsd, d.at(display_layout::kComponentOsd));
}

void DownloadSequence::WriteMainZoneSwitches() {
    out_.Command(command::kSpeakerA, MainZone(main_zone::kSpeakerA));
    out_.Command(command::kSpeakerB, MainZone(main_zone::kSpeakerB));
    out_.Command(command::kMultiChannelInput, MainZone(main_zone::kMultiChannelInput));
    out_.Command(command::kOnScreen, MainZone(main_zone::kOnScreenDisplay));
    out_.Command(command::kInputModeSetting, image_.InputModeSetting.at(0));
    out_.Command(command::kNightMode, MainZone(main_zone::kNightMode));
}

void DownloadSequence::WriteSpeakerSetup() {
    const auto& setup = image_.SpeakerSetup;
    for (int k = 0; k <= 5; ++k) {
        out_.Command(command::kFirstSpeakerSet + k, setup.at(static_cast<std::size_t>(k)));
    }
    out_.Command(command::kSpeakerBSet, setup.at(speaker_setup::kSpeakerBSet));
    out_.Command(command::kSubwooferConfig, setup.at(speaker_setup::kSubwooferConfig));
    out_.Command(command::kCrossover, setup.at(speaker_setup::kCrossover));
}

void DownloadSequence::WriteGraphicEqBand(int index) {
    const int record = index / static_cast<int>(eq_layout::kBandsPerChannel);
    const int band = index % static_cast<int>(eq_layout::kBandsPerChannel);
    out_.Write(ef::kEqBand, record, band, image_.EqSettings.at(static_cast<std::size_t>(index)));
}

void DownloadSequence::WriteCinemaEq() {
    for (std::size_t r = 0; r < eq_layout::kCinemaEqRecordCount; ++r) {
        const std::size_t base = eq_layout::kCinemaEq + eq_layout::kCinemaEqRecordSize * r;
        const auto& eq = image_.EqSettings;
        out_.Write(ef::kCinemaEq, static_cast<int>(r), eq.at(base), eq.at(base + 1),
                   eq.at(base + 2), eq.at(base + 3), eq.at(base + 4));
    }
}

void DownloadSequence::WriteDistances() {
    const int unit = image_.SpeakerDistance(static_cast<int>(speaker_distance::kUnit));
    for (int entry = 0; entry < kDistanceCount; ++entry) {
        out_.Write(ef::kSpeakerDistance, entry, unit, image_.SpeakerDistance(entry));
    }
}

void DownloadSequence::WriteVideo() {
    out_.Command(command::kVideoConversion, image_.VideoSettings.at(video_layout::kProcessor));
    for (int k = 1; k <= 6; ++k) {
        out_.Command(command::kFirstVideoSetting + k - 1,
                     image_.VideoSettings.at(static_cast<std::size_t>(k)));
    }
}

void DownloadSequence::WritePictureModes() {
    for (std::size_t r = 0; r < picture_mode::kRecordCount; ++r) {
        const std::size_t base = picture_mode::kRecordSize * r;
        const auto& p = image_.PictureModeAdjust;
        out_.Write(ef::kPictureMode, static_cast<int>(r), p.at(base), p.at(base + 1),
                   p.at(base + 2), p.at(base + 3), p.at(base + 4));
    }
}

}  // namespace tra1
