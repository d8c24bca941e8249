#include "panels/speaker_level_dlg.h"

#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

using Dlg = CSPEAKERLEVELDlg;

// The channels as they stand on screen, left to right: the order in which FLAT levels them.
constexpr std::array<std::size_t, Dlg::kChannelCount> kScreenOrder{
    speaker_levels::kFL,  speaker_levels::kFR,  speaker_levels::kCT,  speaker_levels::kSL,
    speaker_levels::kSR,  speaker_levels::kSBL, speaker_levels::kSBR, speaker_levels::kPRL,
    speaker_levels::kPRR, speaker_levels::kSW,  speaker_levels::kSW2,
};

}  // namespace

void CSPEAKERLEVELDlg::OnInitPanel() {
    // The presence channels exist only on models with the multi-channel input.
    const bool presence = Profile().HasMultiChannelInput();
    for (const std::size_t index : {speaker_levels::kPRR, speaker_levels::kPRL}) {
        EnableDlgItem(kChannels.at(index).slider, presence);
        EnableDlgItem(kChannels.at(index).box, presence);
    }
    for (const Channel& channel : kChannels) {
        if (auto* slider = SliderAt(channel.slider)) {
            slider->SetRange(kMinLevel, kMaxLevel);
        }
        UseReadoutColors({channel.box});
    }
}

void CSPEAKERLEVELDlg::Refresh() {
    const auto& levels = Image().SpeakerLevels;
    for (std::size_t i = 0; i < kChannels.size(); ++i) {
        const int level = levels.at(i);
        cache_[i] = level;
        SetSliderPos(kChannels[i].slider, kInversion - level);
    }
    UpdateBoxes();
}

void CSPEAKERLEVELDlg::UpdateBoxes() {
    const auto& levels = Image().SpeakerLevels;
    for (std::size_t i = 0; i < kChannels.size(); ++i) {
        SetReadout(kChannels[i].box,
                   static_cast<float>(static_cast<int>(levels.at(i)) - kZeroDbLevel) / 2.0f);
    }
}

bool CSPEAKERLEVELDlg::StoreChannel(std::size_t index) {
    const int level = kInversion - SliderPos(kChannels.at(index).slider);
    return StoreUserChange(Image().SpeakerLevels.at(index), cache_[index], level, index);
}

void CSPEAKERLEVELDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    for (std::size_t i = 0; i < kChannels.size(); ++i) {
        if (kChannels[i].slider == id) {
            if (StoreChannel(i)) {
                UpdateBoxes();
            }
            return;
        }
    }
}

void CSPEAKERLEVELDlg::Flat() {
    // Every channel to 0 dB, each stored and announced like a release there, so that what the
    // sliders show is what the image holds and the receiver gets.
    bool changed = false;
    for (const std::size_t index : kScreenOrder) {
        SetSliderPos(kChannels.at(index).slider, kInversion - kZeroDbLevel);
        changed = StoreChannel(index) || changed;
    }
    if (changed) {
        UpdateBoxes();
    }
}

void CSPEAKERLEVELDlg::OnCommand(int id, unsigned code) {
    if (id == kFlatButton && code == win::BN_CLICKED) {
        Flat();
    }
}

void CSPEAKERLEVELDlg::ShowThumb(int id, int position) {
    for (const Channel& channel : kChannels) {
        if (channel.slider == id) {
            SetReadout(channel.box,
                       static_cast<float>(kInversion - position - kZeroDbLevel) / 2.0f);
        }
    }
}

}  // namespace tra1
