#include "panels/input_mode_set_dlg.h"

#include "model/receiver_image.h"
#include "platform/win/slider.h"

namespace tra1 {

void CINPUTMODESETDlg::OnInitPanel() {
    if (auto* slider = SliderAt(kModeSlider)) {
        slider->SetRange(0, 1);
    }
}

void CINPUTMODESETDlg::Refresh() {
    // Set every time: the switch has no cache to compare with. A byte outside 0..1 leaves the
    // switch at the nearer end.
    SetSliderPos(kModeSlider, Image().InputModeSetting.at(0));
}

void CINPUTMODESETDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE || id != kModeSlider) {
        return;
    }
    auto& mode = Image().InputModeSetting.at(0);
    int current = mode;
    StoreUserChange(mode, current, SliderPos(kModeSlider), 0);
}

}  // namespace tra1
