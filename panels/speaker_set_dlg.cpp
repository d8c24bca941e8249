#include "panels/speaker_set_dlg.h"

#include <array>
#include <cstdint>
#include <string>

#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/combo_box.h"

namespace tra1 {

namespace {

using Dlg = CSPEAKERSETDlg;
using Items = std::span<const std::string_view>;

constexpr std::array<std::string_view, 3> kSizeItems{"LARGE", "SMALL", "NONE"};
constexpr std::array<std::string_view, 2> kFrontItems{"LARGE", "SMALL"};
constexpr std::array<std::string_view, 5> kSurroundBackItems{"LARGE x 2", "LARGE x 1", "SMALL x 2",
                                                             "SMALL x 1", "NONE"};
constexpr std::array<std::string_view, 2> kPresenceItems{"YES", "NONE"};
constexpr std::array<std::string_view, 3> kBassOutItems{"SUBWOOFER", "FRONT", "BOTH"};
constexpr std::array<std::string_view, 4> kConfigItems{"None", "Monaural", "Stereo",
                                                       "Front & Rear"};
constexpr std::array<std::string_view, 2> kMainLevelItems{"NORMAL", "-10dB"};
constexpr std::array<std::string_view, 2> kSpeakerBItems{"ZONE 1", "ZONE B"};
constexpr std::array<std::string_view, 9> kCrossoverItems{
    "40Hz", "60Hz", "80Hz(THX)", "90Hz", "100Hz", "110Hz", "120Hz", "160Hz", "200Hz"};
constexpr std::array<std::string_view, 2> kPresenceOrSurroundBackItems{"Presence", "Surround Back"};
constexpr std::array<std::string_view, 4> kPhaseItems{"Normal", "L Reverse", "R Reverse",
                                                      "L&R Reverse"};

// The subwoofer phase travels with the configuration as one setting, so both announce item 6.
constexpr std::array<Dlg::Selector, 12> kSelectors{{
    {Dlg::kCenterCombo, speaker_setup::kCenter, 0, Items(kSizeItems)},
    {Dlg::kFrontCombo, speaker_setup::kFront, 1, Items(kFrontItems)},
    {Dlg::kSurroundCombo, speaker_setup::kSurround, 2, Items(kSizeItems)},
    {Dlg::kSurroundBackCombo, speaker_setup::kSurroundBack, 3, Items(kSurroundBackItems)},
    {Dlg::kPresenceCombo, speaker_setup::kPresence, 4, Items(kPresenceItems)},
    {Dlg::kSpeakerBCombo, speaker_setup::kSpeakerBSet, 8, Items(kSpeakerBItems)},
    {Dlg::kCrossoverCombo, speaker_setup::kCrossover, 9, Items(kCrossoverItems)},
    {Dlg::kPresenceOrSurroundBackCombo, speaker_setup::kPresenceOrSurroundBack, 10,
     Items(kPresenceOrSurroundBackItems)},
    {Dlg::kPhaseCombo, speaker_setup::kPhase, 6, Items(kPhaseItems)},
    {Dlg::kConfigCombo, speaker_setup::kSubwooferConfig, 6, Items(kConfigItems)},
    {Dlg::kBassOutCombo, speaker_setup::kBassOut, 5, Items(kBassOutItems)},
    {Dlg::kMainLevelCombo, speaker_setup::kMainLevel, 7, Items(kMainLevelItems)},
}};
// MAIN LEVEL is filled but never refreshed: nothing shows it.
constexpr std::size_t kRefreshedCount = kSelectors.size() - 1;

}  // namespace

std::span<const CSPEAKERSETDlg::Selector> CSPEAKERSETDlg::Selectors() {
    return kSelectors;
}

void CSPEAKERSETDlg::OnInitPanel() {
    for (const Selector& selector : kSelectors) {
        if (auto* combo = Get<win::ComboBox>(selector.combo)) {
            combo->ResetContent();
            for (const std::string_view item : selector.items) {
                combo->AddString(std::string(item));
            }
        }
    }
}

void CSPEAKERSETDlg::Refresh() {
    EnableDlgItem(kPresenceCombo, Profile().HasMultiChannelInput());
    const auto& setup = Image().SpeakerSetup;
    for (std::size_t i = 0; i < kRefreshedCount; ++i) {
        auto* combo = Get<win::ComboBox>(kSelectors[i].combo);
        // A list the user holds open keeps what it shows; a value without an item selects none.
        if (combo != nullptr && !combo->GetDroppedState()) {
            combo->SetCurSel(setup.at(kSelectors[i].byte));
        }
    }
}

void CSPEAKERSETDlg::OnCommand(int id, unsigned code) {
    if (code != win::CBN_SELCHANGE) {
        return;
    }
    for (const Selector& selector : kSelectors) {
        if (selector.combo != id) {
            continue;
        }
        const auto* combo = Get<win::ComboBox>(id);
        const int index = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
        auto& byte = Image().SpeakerSetup.at(selector.byte);
        if (index < 0 || index == byte) {
            return;
        }
        byte = static_cast<std::uint8_t>(index);
        StartHold();
        NotifyChange(kDescriptor.ChangeMessage(), selector.item);
        return;
    }
}

}  // namespace tra1
