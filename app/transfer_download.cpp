#include "app/transfer_download.h"

#include <cstddef>
#include <iterator>
#include <string>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_output.h"
#include "app/transfer_steps.h"
#include "model/extended_places.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace ef = extended_function;

constexpr int kTunerInput = 2;
constexpr int kNameCount = 14;
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

std::span<const StepRow<DownloadSequence>> DownloadSequence::Steps() {
    using D = DownloadSequence;
    constexpr StepPasses kEvery = StepPasses::kEvery;
    constexpr StepPasses kFirstOnly = StepPasses::kFirstOnly;
    // The extended writes go back to back when the transfer is pipelined: the receiver's answer
    // to each names its function and item. Rows with commands or pauses go stepwise.
    constexpr StepFlow kBackToBack = StepFlow::kBackToBack;
    static constexpr StepRow<D> kSteps[] = {
        // 2: the start state; then per program its selection (even step) and its parameters
        // (odd step). Later passes write the current program only.
        {2, 77, kEvery, &D::ProgramStep},
        // Each input with its program; 90, the last input, also the EX/ES decoder.
        {78, 90, kEvery, &D::InputProgramStep},
        // One I/O jack per step: group 0 (6 jacks), 1 (3), 2 (7), 3 (4).
        {91, 110, kEvery, &D::IoAssignmentStep, 0, kBackToBack},
        {111, 111, kFirstOnly, &D::WriteInputNames, 0, kBackToBack},
        {112, 112, kEvery, &D::WriteTone, 0, kBackToBack},
        {113, 113, kFirstOnly, &D::SelectTunerInput},
        // Entry 0, the current station, which the receiver tunes to before it takes the presets;
        // then the presets 1..40, whose answers name their page and number.
        {114, 114, kFirstOnly, &D::WriteCurrentStation},
        {115, 154, kFirstOnly, &D::WriteTunerPreset, 0, kBackToBack},
        // The left trigger's input 0 with its mode, its inputs 1..12, then the right trigger's
        // inputs 0..12, which it takes more slowly.
        {155, 155, kFirstOnly, &D::WriteLeftTriggerMode},
        {156, 167, kFirstOnly, &D::WriteLeftTriggerInput, 0, kBackToBack},
        {168, 180, kFirstOnly, &D::WriteRightTriggerInput},
        {181, 181, kEvery, &D::PrepareSpeakerSetup},
        {182, 182, kEvery, &D::WriteSpeakerLevels},
        {183, 183, kEvery, &D::WriteLfeAndDynamicRange},
        {184, 184, kEvery, &D::WriteAudioDelay},
        {185, 185, kEvery, &D::WriteInputs},
        {186, 186, kEvery, &D::WriteZone2},
        {187, 187, kEvery, &D::WriteZone3},
        {188, 188, kEvery, &D::WriteMultiZone},
        {189, 189, kEvery, &D::WriteDisplay},
        {190, 190, kEvery, &D::WriteMainZoneSwitches},
        {191, 191, kEvery, &D::WriteSpeakerSetup},
        {192, 192, kEvery, &D::WriteMainVolume},
        // Graphic EQ records 0..9, bands 0..12.
        {193, 322, kEvery, &D::WriteGraphicEqBand, 0, kBackToBack},
        {323, 323, kEvery, &D::WriteCinemaEq, 0, kBackToBack},
        {324, 324, kEvery, &D::WriteThx},
        {325, 325, kEvery, &D::WriteDistances, 0, kBackToBack},
        {326, 326, kEvery, &D::WriteVideo},
        {327, 327, kEvery, &D::WritePictureModes, 0, kBackToBack},
        // Input trims 0..13.
        {328, 341, kEvery, &D::WriteInputTrim, 0, kBackToBack},
    };
    static_assert(StepsFollowOn<D>(kSteps) && kSteps[0].first == kFirstStep &&
                  std::size(kSteps) > 0 && kSteps[std::size(kSteps) - 1].last == kLastStep);
    return kSteps;
}

bool DownloadSequence::BackToBack(int s) {
    return StepGoesBackToBack(Steps(), s);
}

bool DownloadSequence::FollowsWithinItsRow(int s) {
    // The rows that go back to back hold extended writes only, each naming its item, and no
    // pause; the row's first step still waits for the answers to every step before it.
    const StepRow<DownloadSequence>* row = RowOfStep(Steps(), s);
    return row != nullptr && row->flow == StepFlow::kBackToBack && s > row->first;
}

bool DownloadSequence::Step(int s, bool laterPass) {
    return RunStep(*this, Steps(), s, laterPass);
}

void DownloadSequence::PutBack() {
    const StepAt once;
    // The input first: selecting it recalls the program the receiver keeps for it, which the
    // next sends then set to the image's.
    WriteInputs(once);
    const std::uint8_t programByte = image_.InputProgramByte(MainZone(main_zone::kMainInput));
    out_.Command(command::kProgram, ReceiverImage::ProgramOf(programByte));
    if (ReceiverImage::EffectOff(programByte)) {
        out_.Command(command::kEffectOff, 0);
    }
    out_.Command(command::kMultiChannelInput, MainZone(main_zone::kMultiChannelInput));
    out_.Command(command::kNightMode, MainZone(main_zone::kNightMode));
    WriteMainVolume(once);
}

void DownloadSequence::ProgramStep(const StepAt& at) {
    if (at.index == 0) {
        StartPass();
    }
    const int program = at.index / 2;
    if (at.laterPass && program != CurrentProgram()) {
        return;
    }
    if (at.index % 2 == 0) {
        out_.Command(command::kProgram, program);
    } else {
        WriteProgramParameters(program);
    }
}

void DownloadSequence::InputProgramStep(const StepAt& at) {
    WriteInputProgram(at.index);
    if (at.index == ModelProfile::kHighestInput) {
        out_.Command(command::kExEs, MainZone(main_zone::kExEsDecoder));
    }
}

void DownloadSequence::SelectTunerInput(const StepAt&) {
    out_.Command(command::kMainInput, kTunerInput);
}

void DownloadSequence::PrepareSpeakerSetup(const StepAt&) {
    // The settings that must be in a known state before the speaker set-up is written.
    out_.Command(command::kSpeakerBSet, 0);
    out_.Command(command::kZone2Amp, 0);
    out_.Command(command::kFirstSpeakerSet, 0);
    out_.Command(command::kFirstSpeakerSet + 2, 0);
    out_.Command(command::kFirstSpeakerSet + 3, 0);
    out_.Command(command::kFirstSpeakerSet + 4, 1);
}

void DownloadSequence::WriteSpeakerLevels(const StepAt&) {
    for (int k = 0; k <= command::kLastSpeakerLevel - command::kFirstSpeakerLevel; ++k) {
        out_.Command(command::kFirstSpeakerLevel + k,
                     image_.SpeakerLevels.at(static_cast<std::size_t>(k)));
    }
}

void DownloadSequence::WriteLfeAndDynamicRange(const StepAt&) {
    constexpr int kLfeDrangeCommands[] = {command::kFirstLfeLevel, command::kFirstLfeLevel + 1,
                                          command::kFirstDynamicRange,
                                          command::kFirstDynamicRange + 1};
    for (std::size_t k = 0; k < std::size(kLfeDrangeCommands); ++k) {
        out_.Command(kLfeDrangeCommands[k], image_.LfeDrange.at(k));
    }
}

void DownloadSequence::WriteAudioDelay(const StepAt&) {
    out_.Command(command::kAudioDelay, image_.AudioDelay.at(0));
}

void DownloadSequence::WriteInputs(const StepAt&) {
    out_.Command(command::kMainInput, MainZone(main_zone::kMainInput));
    out_.Command(command::kInputMode, 2 * MainZone(main_zone::kInputMode));
    out_.Command(command::kZone2Input, MainZone(main_zone::kZone2Input));
}

void DownloadSequence::WriteZone3(const StepAt&) {
    // This model has no zone 3: the step stays, empty.
}

void DownloadSequence::WriteMultiZone(const StepAt&) {
    out_.Command(command::kZone2Out, image_.MultiZoneSetting.at(multi_zone::kZone2Out));
    out_.Command(command::kZone2Amp, image_.MultiZoneSetting.at(multi_zone::kZone2Amp));
}

void DownloadSequence::WriteMainVolume(const StepAt&) {
    out_.Command(command::kMainVolume, MainZone(main_zone::kMainVolume));
    out_.Command(command::kMainMute, MainZone(main_zone::kMainMute));
}

void DownloadSequence::WriteThx(const StepAt&) {
    for (int k = 0; k < static_cast<int>(image_.ThxSettings.size()); ++k) {
        out_.Command(command::kFirstThx + k, image_.ThxSettings.at(static_cast<std::size_t>(k)));
    }
}

void DownloadSequence::WriteInputTrim(const StepAt& at) {
    out_.Write(ef::kInputTrim, at.index, image_.InputTrims.at(static_cast<std::size_t>(at.index)));
}

void DownloadSequence::StartPass() {
    // Multi-channel input off, the last input in its first mode, night mode on: a state in which
    // the receiver accepts every program and parameter.
    out_.Command(command::kMultiChannelInput, 0);
    out_.Command(command::kMainInput, ModelProfile::kHighestInput);
    out_.Command(command::kInputMode, 0);
    out_.Command(command::kNightMode, 1);
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

void DownloadSequence::IoAssignmentStep(const StepAt& at) {
    // One jack per step: group 0 (6 jacks), 1 (3), 2 (7), 3 (4).
    int group = 0;
    int position = at.index;
    while (group < static_cast<int>(io_assign::kRowCount) &&
           position >=
               static_cast<int>(io_assign::kJackCount.at(static_cast<std::size_t>(group)))) {
        position -= static_cast<int>(io_assign::kJackCount.at(static_cast<std::size_t>(group)));
        ++group;
    }
    if (group >= static_cast<int>(io_assign::kRowCount) || (at.laterPass && group == 0)) {
        return;
    }
    out_.Write(ef::kIoAssign, group, position, image_.IoAssign(group, position));
}

void DownloadSequence::WriteInputNames(const StepAt&) {
    for (int input = 0; input < kNameCount; ++input) {
        const std::string name = image_.InputName(input);
        out_.Write(ef::kInputName, input, 0, 0, 0, 0, 0, name);
    }
}

void DownloadSequence::WriteTone(const StepAt&) {
    for (int a = 0; a < 2; ++a) {
        for (int b = 0; b < 2; ++b) {
            if (const auto pair = extended_place::TonePair(a, b)) {
                out_.Write(ef::kTone, a, b, image_.ToneSettings.at(*pair),
                           image_.ToneSettings.at(*pair + 1));
            }
        }
    }
}

void DownloadSequence::WriteCurrentStation(const StepAt&) {
    WriteTunerEntry(0);
}

void DownloadSequence::WriteTunerPreset(const StepAt& at) {
    WriteTunerEntry(at.index + 1);
}

void DownloadSequence::WriteTunerEntry(int entry) {
    const int band = image_.TunerBand(entry);
    const std::string text(profile_.TunerFrequencyText(band, image_.TunerStep(entry)));
    const extended_place::TunerSlot slot = extended_place::TunerSlotOf(entry);
    out_.Write(ef::kTunerPreset, slot.page, slot.number, band, 0, 0, 0, text);
    if (entry == 0) {
        // The receiver tunes to the current station before it takes the presets.
        out_.Pause(kTunerSettleMs);
    }
}

void DownloadSequence::WriteLeftTriggerMode(const StepAt&) {
    WriteTriggerInput(0, 0);
}

void DownloadSequence::WriteLeftTriggerInput(const StepAt& at) {
    WriteTriggerInput(0, at.index + 1);
}

void DownloadSequence::WriteRightTriggerInput(const StepAt& at) {
    WriteTriggerInput(1, at.index);
}

void DownloadSequence::WriteTriggerInput(int trigger, int input) {
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
        if (const auto offset = extended_place::DcTriggerItem(row, input)) {
            out_.Write(ef::kDcTrigger, trigger, row, input, block.at(*offset));
        }
        if (pause > 0) {
            out_.Pause(pause);
        }
    }
}

void DownloadSequence::WriteZone2(const StepAt&) {
    out_.Command(command::kZone2Out, 0);
    // Twice: the first only wakes the zone 2 volume when its output was fixed.
    out_.Command(command::kZone2Volume, MainZone(main_zone::kZone2Volume));
    out_.Command(command::kZone2Volume, MainZone(main_zone::kZone2Volume));
    out_.Command(command::kZone2Mute, MainZone(main_zone::kZone2Mute));
}

void DownloadSequence::WriteDisplay(const StepAt&) {
    const auto& d = image_.DisplaySettings;
    out_.Command(command::kDimmer, d.at(display_layout::kDimmer));
    out_.Command(command::kOsdShift,
                 d.at(display_layout::kOsdShiftV) * 16 + d.at(display_layout::kOsdShiftH));
    out_.Command(command::kWallPaper, d.at(display_layout::kWallPaper));
    out_.Command(command::kVideoConversion, d.at(display_layout::kVideoConversion));
    out_.Command(command::kComponentOsd, d.at(display_layout::kComponentOsd));
}

void DownloadSequence::WriteMainZoneSwitches(const StepAt&) {
    out_.Command(command::kSpeakerA, MainZone(main_zone::kSpeakerA));
    out_.Command(command::kSpeakerB, MainZone(main_zone::kSpeakerB));
    out_.Command(command::kMultiChannelInput, MainZone(main_zone::kMultiChannelInput));
    out_.Command(command::kOnScreen, MainZone(main_zone::kOnScreenDisplay));
    out_.Command(command::kInputModeSetting, image_.InputModeSetting.at(0));
    out_.Command(command::kNightMode, MainZone(main_zone::kNightMode));
}

void DownloadSequence::WriteSpeakerSetup(const StepAt&) {
    const auto& setup = image_.SpeakerSetup;
    for (int k = 0; k <= 5; ++k) {
        out_.Command(command::kFirstSpeakerSet + k, setup.at(static_cast<std::size_t>(k)));
    }
    out_.Command(command::kSpeakerBSet, setup.at(speaker_setup::kSpeakerBSet));
    out_.Command(command::kSubwooferConfig, setup.at(speaker_setup::kSubwooferConfig));
    out_.Command(command::kCrossover, setup.at(speaker_setup::kCrossover));
}

void DownloadSequence::WriteGraphicEqBand(const StepAt& at) {
    const int index = at.index;
    const int record = index / static_cast<int>(eq_layout::kBandsPerChannel);
    const int band = index % static_cast<int>(eq_layout::kBandsPerChannel);
    out_.Write(ef::kEqBand, record, band, image_.EqSettings.at(static_cast<std::size_t>(index)));
}

void DownloadSequence::WriteCinemaEq(const StepAt&) {
    for (std::size_t r = 0; r < eq_layout::kCinemaEqRecordCount; ++r) {
        const std::size_t base = eq_layout::kCinemaEq + eq_layout::kCinemaEqRecordSize * r;
        const auto& eq = image_.EqSettings;
        out_.Write(ef::kCinemaEq, static_cast<int>(r), eq.at(base), eq.at(base + 1),
                   eq.at(base + 2), eq.at(base + 3), eq.at(base + 4));
    }
}

void DownloadSequence::WriteDistances(const StepAt&) {
    const int unit = image_.SpeakerDistance(static_cast<int>(speaker_distance::kUnit));
    for (int entry = 0; entry < kDistanceCount; ++entry) {
        out_.Write(ef::kSpeakerDistance, entry, unit, image_.SpeakerDistance(entry));
    }
}

void DownloadSequence::WriteVideo(const StepAt&) {
    out_.Command(command::kVideoConversion, image_.VideoSettings.at(video_layout::kProcessor));
    for (int k = 1; k <= 6; ++k) {
        out_.Command(command::kFirstVideoSetting + k - 1,
                     image_.VideoSettings.at(static_cast<std::size_t>(k)));
    }
}

void DownloadSequence::WritePictureModes(const StepAt&) {
    for (std::size_t r = 0; r < picture_mode::kRecordCount; ++r) {
        const std::size_t base = picture_mode::kRecordSize * r;
        const auto& p = image_.PictureModeAdjust;
        out_.Write(ef::kPictureMode, static_cast<int>(r), p.at(base), p.at(base + 1),
                   p.at(base + 2), p.at(base + 3), p.at(base + 4));
    }
}

}  // namespace tra1
