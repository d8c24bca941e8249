#include "panels/speaker_set_dlg.h"

#include <array>
#include <cstdint>
#include <string>

#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"

namespace tra1 {

namespace {

using Dlg = CSPEAKERSETDlg;
namespace names = value_names;

// The subwoofer phase travels with the configuration as one setting, so both announce item 6.
constexpr std::array<Dlg::Selector, 12> kSelectors{{
    {Dlg::kCenterCombo, speaker_setup::kCenter, 0, names::kSpeakerSize},
    {Dlg::kFrontCombo, speaker_setup::kFront, 1, names::kFrontSpeakerSize},
    {Dlg::kSurroundCombo, speaker_setup::kSurround, 2, names::kSpeakerSize},
    {Dlg::kSurroundBackCombo, speaker_setup::kSurroundBack, 3, names::kSurroundBackSize},
    {Dlg::kPresenceCombo, speaker_setup::kPresence, 4, names::kPresenceSpeaker},
    {Dlg::kSpeakerBCombo, speaker_setup::kSpeakerBSet, 8, names::kSpeakerBUse},
    {Dlg::kCrossoverCombo, speaker_setup::kCrossover, 9, names::kCrossover},
    {Dlg::kPresenceOrSurroundBackCombo, speaker_setup::kPresenceOrSurroundBack, 10,
     names::kPresenceOrSurroundBack},
    {Dlg::kPhaseCombo, speaker_setup::kPhase, 6, names::kSubwooferPhase},
    {Dlg::kConfigCombo, speaker_setup::kSubwooferConfig, 6, names::kSubwooferConfig},
    {Dlg::kBassOutCombo, speaker_setup::kBassOut, 5, names::kBassOut},
    {Dlg::kMainLevelCombo, speaker_setup::kMainLevel, 7, names::kMainLevel},
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
            FillWithNames(*combo, selector.names);
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
