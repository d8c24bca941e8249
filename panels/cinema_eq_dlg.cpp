#include "panels/cinema_eq_dlg.h"

#include <array>

#include "model/receiver_image.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {
namespace {

using eq_layout::kCinemaEq;
using eq_layout::kCinemaEqRecordSize;

constexpr std::size_t Entry(std::size_t record, std::size_t field) {
    return record * kCinemaEqRecordSize + field;
}

float Decibels(int gain) {
    return static_cast<float>(gain - 18) / 2.0f;
}

}  // namespace

CCINEMAEQDlg::Binding CCINEMAEQDlg::Find(int id) {
    for (const Group& group : kGroups) {
        if (id == group.onOff) {
            return {&group, eq_layout::kCinemaOnOff, Kind::kSwitch};
        }
        if (id == group.highFrequency) {
            return {&group, eq_layout::kCinemaHighFrequency, Kind::kFrequency};
        }
        if (id == group.highGain) {
            return {&group, eq_layout::kCinemaHighGain, Kind::kGain};
        }
        if (id == group.peqFrequency) {
            return {&group, eq_layout::kCinemaPeqFrequency, Kind::kFrequency};
        }
        if (id == group.peqGain) {
            return {&group, eq_layout::kCinemaPeqGain, Kind::kGain};
        }
    }
    return {};
}

void CCINEMAEQDlg::OnInitPanel() {
    ResetHoldCounter();
    for (const Group& group : kGroups) {
        if (auto* slider = SliderAt(group.onOff)) {
            slider->SetRange(0, 1);
        }
        for (const int gain : {group.peqGain, group.highGain}) {
            if (auto* slider = SliderAt(gain)) {
                slider->SetRange(0, kMaxGain);
            }
        }
        for (const int frequency : {group.peqFrequency, group.highFrequency}) {
            if (auto* combo = Get<win::ComboBox>(frequency)) {
                FillWithNames(*combo, value_names::kCinemaEqFrequency);
            }
        }
        UseReadoutColors({group.peqReadout, group.highReadout});
    }
}

void CCINEMAEQDlg::Refresh() {
    const auto& eq = Image().EqSettings;
    for (const Group& group : kGroups) {
        const auto value = [&](std::size_t field) -> int {
            return eq.at(kCinemaEq + Entry(group.record, field));
        };
        const auto setSlider = [&](int id, std::size_t field) {
            SetSliderPos(id, value(field));
            cache_[Entry(group.record, field)] = value(field);
        };
        const auto setCombo = [&](int id, std::size_t field) {
            auto* combo = Get<win::ComboBox>(id);
            if (combo == nullptr || combo->GetDroppedState()) {
                return;
            }
            // A byte beyond the items leaves the combo without a selection.
            combo->SetCurSel(value(field));
            cache_[Entry(group.record, field)] = value(field);
        };
        setSlider(group.onOff, eq_layout::kCinemaOnOff);
        setCombo(group.highFrequency, eq_layout::kCinemaHighFrequency);
        setSlider(group.highGain, eq_layout::kCinemaHighGain);
        setCombo(group.peqFrequency, eq_layout::kCinemaPeqFrequency);
        setSlider(group.peqGain, eq_layout::kCinemaPeqGain);
    }
    UpdateReadouts();
}

void CCINEMAEQDlg::UpdateReadouts() {
    // From the sliders, which equal the gain bytes: a byte beyond 24 shows where its thumb
    // stands rather than a level off the scale.
    for (const Group& group : kGroups) {
        SetReadout(group.peqReadout, Decibels(SliderPos(group.peqGain)));
        SetReadout(group.highReadout, Decibels(SliderPos(group.highGain)));
    }
}

void CCINEMAEQDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    const Binding binding = Find(id);
    if (binding.group == nullptr || binding.kind == Kind::kFrequency) {
        return;
    }
    UserChange(binding, SliderPos(id));
}

void CCINEMAEQDlg::OnCommand(int id, unsigned code) {
    if (code != win::CBN_SELCHANGE) {
        return;
    }
    const Binding binding = Find(id);
    if (binding.group == nullptr || binding.kind != Kind::kFrequency) {
        return;
    }
    const auto* combo = Get<win::ComboBox>(id);
    if (combo == nullptr || combo->GetCurSel() == win::CB_ERR) {
        return;
    }
    UserChange(binding, combo->GetCurSel());
}

void CCINEMAEQDlg::UserChange(const Binding& binding, int value) {
    const Group& group = *binding.group;
    const std::size_t entry = Entry(group.record, binding.field);
    if (!cache_.Differs(entry, value)) {
        return;
    }
    cache_[entry] = value;
    Image().EqSettings.at(kCinemaEq + entry) = static_cast<std::uint8_t>(value);
    UpdateReadouts();
    // Sent, not posted: the main window has handled it when this returns.
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(group.record));
    if (binding.kind == Kind::kSwitch && IsWindow()) {
        const bool on = value == 1;
        for (const int band :
             {group.peqFrequency, group.highFrequency, group.peqGain, group.highGain}) {
            EnableDlgItem(band, on);
        }
    }
}

void CCINEMAEQDlg::ShowThumb(int /*id*/, int /*position*/) {
    UpdateReadouts();  // from the sliders' positions, the moving one's included
}

}  // namespace tra1
