#include "app/transfer_upload.h"

#include <cstddef>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_output.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace ef = extended_function;

constexpr int kTunerInput = 2;
constexpr int kNameCount = 14;
constexpr int kTrimCount = 14;
constexpr int kDistanceCount = 12;
constexpr int kTunerPages = 5;
constexpr int kEntriesPerPage = 8;
constexpr int kTriggerInputs = 13;
// A tuner request carries a placeholder where a write carries the frequency.
constexpr const char* kTunerRequestText = "xxxxxx";

}  // namespace

bool UploadSequence::Step(int s, bool laterPass) {
    if (s < kFirstStep) {
        return false;
    }
    if (s == kFirstStep) {
        out_.StatusRequest();
        return true;
    }
    if (s < kFirstPlannedStep) {
        if (s == kSaveStep) {
            SaveState();
            MakePlan(laterPass);
            out_.Command(command::kMultiChannelInput, 0);
        }
        out_.Command(command::kMainInput, s - kSaveStep);
        out_.StatusRequest();
        return true;
    }
    if (plan_.empty()) {
        // Only when the pass never ran its step 3 (the counter was set from outside).
        SaveState();
        MakePlan(laterPass);
    }
    const auto index = static_cast<std::size_t>(s - kFirstPlannedStep);
    if (index >= plan_.size()) {
        return false;
    }
    plan_.at(index)();
    return true;
}

void UploadSequence::EndPass() {
    out_.Command(command::kMainInput, saved_.mainInput);
}

void UploadSequence::SaveState() {
    const auto& zone = image_.MainZoneState;
    saved_.mainInput = zone.at(main_zone::kMainInput);
    const std::uint8_t programByte = image_.InputProgramByte(saved_.mainInput);
    saved_.program = ReceiverImage::ProgramOf(programByte);
    saved_.effectOff = ReceiverImage::EffectOff(programByte);
    saved_.multiChannel = zone.at(main_zone::kMultiChannelInput) != 0;
    saved_.inputMode = zone.at(main_zone::kInputMode);
}

void UploadSequence::MakePlan(bool laterPass) {
    plan_.clear();
    PlanParameters(laterPass);
    PlanRest(laterPass);
}

void UploadSequence::PlanParameters(bool laterPass) {
    // Every program is selected on its way (its parameter 0); a parameter that is not requested
    // is passed over within the same step, so the selections gather until the next request.
    std::vector<int> selections;
    bool first = true;
    for (int program = 0; program <= ModelProfile::kHighestProgram; ++program) {
        selections.push_back(program);
        if (laterPass && program != saved_.program) {
            continue;
        }
        const int code = ModelProfile::ProgramCode(program);
        for (int slot = 0; slot < ModelProfile::kParametersPerProgram; ++slot) {
            const auto wire = WireParameterOf(program, slot);
            if (!ReceiverHasSlot(program, slot) || !wire) {
                continue;
            }
            plan_.push_back([this, first, selections, code, wire = *wire] {
                if (first) {
                    // The last input in its first mode accepts every program.
                    out_.Command(command::kMainInput, ModelProfile::kHighestInput);
                    out_.Command(command::kInputMode, 0);
                }
                for (const int p : selections) {
                    out_.Command(command::kProgram, p);
                }
                out_.Request(ef::kDspParameter, code, wire.parameter, wire.subIndex, 0);
            });
            selections.clear();
            first = false;
        }
    }
    plan_.push_back([this, first, selections] {
        if (first) {
            out_.Command(command::kMainInput, ModelProfile::kHighestInput);
            out_.Command(command::kInputMode, 0);
        }
        for (const int p : selections) {
            out_.Command(command::kProgram, p);
        }
        Restore();
    });
}

void UploadSequence::Restore() {
    out_.Command(command::kMainInput, saved_.mainInput);
    out_.Command(command::kInputMode, 2 * saved_.inputMode);
    out_.Command(command::kProgram, saved_.program);
    if (saved_.effectOff) {
        out_.Command(command::kEffectOff, 0);
    }
    if (saved_.multiChannel) {
        out_.Command(command::kMultiChannelInput, 1);
    }
    out_.StatusRequest();
}

void UploadSequence::PlanRest(bool laterPass) {
    const auto nothing = [] {};
    // The data the receiver keeps once, not per preset, is read in the first pass only.
    plan_.push_back(laterPass ? std::function<void()>(nothing) : [this] {
        for (std::size_t group = 0; group < io_assign::kRowCount; ++group) {
            for (std::size_t jack = 0; jack < io_assign::kJackCount.at(group); ++jack) {
                out_.Request(ef::kIoAssign, static_cast<int>(group), static_cast<int>(jack));
            }
        }
    });
    for (int input = 0; input < kNameCount; ++input) {
        plan_.push_back(laterPass ? std::function<void()>(nothing)
                                  : [this, input] { out_.Request(ef::kInputName, input); });
    }
    plan_.push_back(laterPass ? std::function<void()>(nothing) : [this] {
        out_.Command(command::kMainInput, kTunerInput);
        out_.Request(ef::kTunerPreset, 0, 0, 0, 0, kTunerRequestText);
    });
    for (int page = 1; page <= kTunerPages; ++page) {
        plan_.push_back(laterPass ? std::function<void()>(nothing) : [this, page] {
            for (int number = 1; number <= kEntriesPerPage; ++number) {
                out_.Request(ef::kTunerPreset, page, number, 0, 0, kTunerRequestText);
            }
        });
    }
    for (int trigger = 0; trigger < 2; ++trigger) {
        for (int row = 0; row < 2; ++row) {
            for (int input = 0; input < kTriggerInputs; ++input) {
                plan_.push_back(laterPass ? std::function<void()>(nothing)
                                          : [this, trigger, row, input] {
                                                out_.Request(ef::kDcTrigger, trigger, row, input);
                                            });
            }
        }
    }
    for (int record = 0; record < static_cast<int>(eq_layout::kChannelCount); ++record) {
        for (int band = 0; band < static_cast<int>(eq_layout::kBandsPerChannel); ++band) {
            plan_.push_back([this, record, band] { out_.Request(ef::kEqBand, record, band); });
        }
    }
    plan_.push_back([this] {
        for (int a = 0; a < 2; ++a) {
            for (int b = 0; b < 2; ++b) {
                out_.Request(ef::kTone, a, b);
            }
        }
    });
    plan_.push_back([this] {
        for (int r = 0; r < static_cast<int>(picture_mode::kRecordCount); ++r) {
            out_.Request(ef::kPictureMode, r);
        }
    });
    plan_.push_back([this] {
        for (int r = 0; r < static_cast<int>(eq_layout::kCinemaEqRecordCount); ++r) {
            out_.Request(ef::kCinemaEq, r);
        }
    });
    plan_.push_back([this] {
        for (int entry = 0; entry < kDistanceCount; ++entry) {
            out_.Request(ef::kSpeakerDistance, entry);
        }
    });
    // One trim per step: the pass ends only when the last reply is in, and a reply that comes
    // after the end is no longer decoded.
    for (int input = 0; input < kTrimCount; ++input) {
        plan_.push_back([this, input] { out_.Request(ef::kInputTrim, input); });
    }
}

}  // namespace tra1
