#include "panels/multi_zone_set_dlg.h"

#include "model/receiver_image.h"
#include "platform/win/slider.h"

namespace tra1 {

void CMULTIZONESETDlg::OnInitPanel() {
    for (const int id : {kZone2OutSwitch, kZone2AmpSwitch}) {
        if (auto* slider = SliderAt(id)) {
            slider->SetRange(0, 1);
        }
    }
}

void CMULTIZONESETDlg::Refresh() {
    SetSliderPos(kZone2AmpSwitch, Image().MultiZoneSetting.at(multi_zone::kZone2Amp));
    ApplyEnablingRule();
}

void CMULTIZONESETDlg::ApplyEnablingRule() {
    const auto& setting = Image().MultiZoneSetting;
    const bool external = setting.at(multi_zone::kZone2Amp) != 0;
    SetSliderPos(kZone2OutSwitch, external ? setting.at(multi_zone::kZone2Out) : 0);
    EnableDlgItem(kZone2OutSwitch, external);
}

void CMULTIZONESETDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    auto& setting = Image().MultiZoneSetting;
    if (id == kZone2OutSwitch) {
        const int position = SliderPos(kZone2OutSwitch);
        if (position == setting.at(multi_zone::kZone2Out)) {
            return;
        }
        setting.at(multi_zone::kZone2Out) = static_cast<std::uint8_t>(position);
        // The main window reloads its controls before it hears of the change.
        PostToMainWindow(change_message::kRefreshMainWindow);
        StartHold();
        NotifyChange(kDescriptor.ChangeMessage(), multi_zone::kZone2Out);
    } else if (id == kZone2AmpSwitch) {
        const int position = SliderPos(kZone2AmpSwitch);
        if (position == setting.at(multi_zone::kZone2Amp)) {
            return;
        }
        setting.at(multi_zone::kZone2Amp) = static_cast<std::uint8_t>(position);
        StartHold();
        NotifyChange(kDescriptor.ChangeMessage(), multi_zone::kZone2Amp);
        ApplyEnablingRule();
    }
}

}  // namespace tra1
