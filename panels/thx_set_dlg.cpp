#include "panels/thx_set_dlg.h"

#include <array>

#include "model/receiver_image.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {
namespace {

constexpr std::size_t kUltra2Byte = 0;
constexpr std::size_t kBoundaryByte = 1;
constexpr std::size_t kDistanceByte = 2;

}  // namespace

void CTHXSETDlg::OnInitPanel() {
    for (const int id : {kUltra2Subwoofer, kBoundaryGainComp}) {
        if (auto* slider = SliderAt(id)) {
            slider->SetRange(0, 1);
        }
    }
    if (auto* combo = Get<win::ComboBox>(kSbSpeakerDistance)) {
        FillWithNames(*combo, value_names::kBackSpeakerDistance);
    }
}

void CTHXSETDlg::Refresh() {
    const auto& thx = Image().ThxSettings;
    if (cache_.Differs(kUltra2Byte, thx[kUltra2Byte])) {
        cache_[kUltra2Byte] = thx[kUltra2Byte];
        SetSliderPos(kUltra2Subwoofer, thx[kUltra2Byte]);
    }
    if (cache_.Differs(kBoundaryByte, thx[kBoundaryByte])) {
        cache_[kBoundaryByte] = thx[kBoundaryByte];
        SetSliderPos(kBoundaryGainComp, thx[kBoundaryByte]);
    }
    if (cache_.Differs(kDistanceByte, thx[kDistanceByte])) {
        cache_[kDistanceByte] = thx[kDistanceByte];
        // A value beyond the items leaves the combo without a selection.
        if (auto* combo = Get<win::ComboBox>(kSbSpeakerDistance)) {
            combo->SetCurSel(thx[kDistanceByte]);
        }
    }
}

void CTHXSETDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    if (id == kUltra2Subwoofer) {
        UserChange(kUltra2Byte, SliderPos(id));
    } else if (id == kBoundaryGainComp) {
        UserChange(kBoundaryByte, SliderPos(id));
    }
}

void CTHXSETDlg::OnCommand(int id, unsigned code) {
    if (id != kSbSpeakerDistance || code != win::CBN_SELCHANGE) {
        return;
    }
    const auto* combo = Get<win::ComboBox>(id);
    if (combo == nullptr || combo->GetCurSel() == win::CB_ERR) {
        return;
    }
    UserChange(kDistanceByte, combo->GetCurSel());
}

void CTHXSETDlg::UserChange(std::size_t index, int value) {
    StoreUserChange(Image().ThxSettings.at(index), cache_[index], value,
                    static_cast<win::WParam>(index), static_cast<win::LParam>(value));
}

}  // namespace tra1
