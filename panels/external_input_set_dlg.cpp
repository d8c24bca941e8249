#include "panels/external_input_set_dlg.h"

#include <string>

#include "model/receiver_image.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {

void CEXTERNALINPUTSETDlg::OnInitPanel() {
    for (const int id : kSwitches) {
        if (auto* slider = SliderAt(id)) {
            slider->SetRange(0, 1);
        }
    }
    if (auto* combo = Get<win::ComboBox>(kChannelCombo)) {
        combo->ResetContent();
        for (const std::string_view item : kChannelItems) {
            combo->AddString(std::string(item));
        }
    }
}

void CEXTERNALINPUTSETDlg::Refresh() {
    const auto& setting = Image().ExternalInputSetting;
    for (std::size_t k = 0; k < kSwitches.size(); ++k) {
        if (cache_.Differs(k, setting.at(k))) {
            // A byte outside 0..1 leaves the switch at the nearer end; the cache keeps the
            // byte, so a release there stores a valid value again.
            SetSliderPos(kSwitches.at(k), setting.at(k));
            cache_[k] = setting.at(k);
        }
    }
    if (cache_.Differs(kComboByte, setting.at(kComboByte))) {
        if (auto* combo = Get<win::ComboBox>(kChannelCombo)) {
            // An index past the items shows no selection.
            combo->SetCurSel(setting.at(kComboByte));
        }
        cache_[kComboByte] = setting.at(kComboByte);
    }
}

void CEXTERNALINPUTSETDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    for (std::size_t k = 0; k < kSwitches.size(); ++k) {
        if (kSwitches.at(k) == id) {
            StoreUserChange(Image().ExternalInputSetting.at(k), cache_[k], SliderPos(id), k);
            return;
        }
    }
}

void CEXTERNALINPUTSETDlg::OnCommand(int id, unsigned code) {
    if (id != kChannelCombo || code != win::CBN_SELCHANGE) {
        return;
    }
    const auto* combo = Get<win::ComboBox>(kChannelCombo);
    if (combo == nullptr || combo->GetCurSel() == win::CB_ERR) {
        return;
    }
    StoreUserChange(Image().ExternalInputSetting.at(kComboByte), cache_[kComboByte],
                    combo->GetCurSel(), kComboByte);
}

}  // namespace tra1
