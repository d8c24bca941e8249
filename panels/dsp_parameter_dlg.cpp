#include "panels/dsp_parameter_dlg.h"

#include <string>

#include "model/dsp_parameter_sets.h"
#include "model/receiver_image.h"
#include "panels/input_dsp_program_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/event_loop.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

constexpr const char* kSourceTypes[] = {"Dual Field (2ch)", "Tri Field (5.1ch)",
                                        "Quad Field (EX/ES)"};

}  // namespace

int CDSPPARAMETERDlg::RowSlotAt(int row) const {
    if (row < 0 || row >= rowCount_) {
        return -1;
    }
    return rowSlots_.at(static_cast<std::size_t>(row));
}

void CDSPPARAMETERDlg::OnInitPanel() {
    if (auto* slider = SliderAt(kDialogLiftSlider)) {
        slider->SetRange(0, 1);
    }
    UseReadoutColors({kValueList});
    rowCount_ = 0;
    upCounter_ = 0;
    downCounter_ = 0;
    SetTimer(kRepeatTimer, kRepeatPeriodMs);
}

int CDSPPARAMETERDlg::MainProgram() const {
    const int mainInput = Image().MainZoneState.at(main_zone::kMainInput);
    if (mainInput >= input_index::kCount) {
        return -1;
    }
    return ReceiverImage::ProgramOf(Image().InputProgramByte(mainInput));
}

int CDSPPARAMETERDlg::SelectedProgram() const {
    const auto* combo = Get<win::ComboBox>(kProgramCombo);
    return combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
}

int CDSPPARAMETERDlg::SelectedSourceType() const {
    const auto* list = Get<win::ListBox>(kSourceTypeList);
    const int type = list != nullptr ? list->GetCurSel() : win::LB_ERR;
    return type >= 0 && type < source_type::kCount ? type : source_type::kDualField;
}

void CDSPPARAMETERDlg::Refresh() {
    auto& zone = Image().MainZoneState;
    SetSliderPos(kDialogLiftSlider, zone.at(main_zone::kDspParameterPage));

    if (auto* combo = Get<win::ComboBox>(kProgramCombo)) {
        const int last = Profile().HighestProgram();
        for (int i = 0; i <= last; ++i) {
            const std::string name(ModelProfile::ProgramName(i));
            if (i < combo->GetCount()) {
                if (combo->GetLBText(i) == name) {
                    continue;
                }
                combo->DeleteString(i);
            }
            combo->InsertString(i, name);
        }
        while (combo->GetCount() > last + 1) {
            combo->DeleteString(combo->GetCount() - 1);
        }
        if (!combo->GetDroppedState()) {
            combo->SetCurSel(MainProgram());  // a program without a name: no selection
        }
    }

    if (auto* types = Get<win::ListBox>(kSourceTypeList); types && types->GetCount() == 0) {
        for (const char* type : kSourceTypes) {
            types->AddString(type);
        }
        types->SetCurSel(0);
    }

    RebuildParameterList();
    RebuildValueList();
}

void CDSPPARAMETERDlg::RebuildParameterList() {
    auto* list = Get<win::ListBox>(kParameterList);
    if (list == nullptr) {
        return;
    }
    const int earlier = list->GetCurSel();
    const int program = SelectedProgram();
    const int type = SelectedSourceType();
    const bool dialogLift = Image().MainZoneState.at(main_zone::kDspParameterPage) != 0;
    bool replaced = false;
    int row = 0;
    for (int parameter = 0; parameter < ModelProfile::kParametersPerProgram; ++parameter) {
        if (!ListsParameter(program, type, parameter, dialogLift)) {
            continue;
        }
        const std::string name(ModelProfile::ParameterName(parameter));
        if (row >= list->GetCount() || list->GetText(row) != name) {
            if (row < list->GetCount()) {
                list->DeleteString(row);
            }
            list->InsertString(row, name);
            replaced = true;
        }
        ++row;
    }
    while (list->GetCount() > row) {
        list->DeleteString(list->GetCount() - 1);
    }
    if (replaced && list->SetCurSel(earlier) == win::LB_ERR) {
        list->SetCurSel(0);  // none before, or the earlier row has gone
    }
}

void CDSPPARAMETERDlg::RebuildValueList() {
    auto* list = Get<win::ListBox>(kValueList);
    if (list == nullptr) {
        return;
    }
    const int remembered = list->GetCurSel();
    list->ResetContent();
    rowCount_ = 0;
    const int program = SelectedProgram();
    const int type = SelectedSourceType();
    const bool dialogLift = Image().MainZoneState.at(main_zone::kDspParameterPage) != 0;
    for (int parameter = 0; parameter < ModelProfile::kParametersPerProgram; ++parameter) {
        if (!ListsParameter(program, type, parameter, dialogLift)) {
            continue;
        }
        const int slot = RowSlot(parameter, type);
        rowSlots_.at(static_cast<std::size_t>(rowCount_)) = slot;
        ++rowCount_;
        list->AddString(DspValueText(slot, Image().DspParameter(program, slot)));
    }
    if (list->SetCurSel(remembered) == win::LB_ERR) {
        // None before, or that row has gone: follow the Parameter list.
        if (const auto* names = Get<win::ListBox>(kParameterList)) {
            list->SetCurSel(names->GetCurSel());
        }
    }
}

void CDSPPARAMETERDlg::StoreSelectedProgram() {
    const int program = SelectedProgram();
    const int mainInput = Image().MainZoneState.at(main_zone::kMainInput);
    if (program < 0 || mainInput >= input_index::kCount || program == MainProgram()) {
        return;
    }
    const std::uint8_t flag = Image().InputProgramByte(mainInput) & program_byte::kEffectOffFlag;
    Image().SetInputProgramByte(mainInput, static_cast<std::uint8_t>(flag | program));
}

void CDSPPARAMETERDlg::ProgramSelected() {
    StoreSelectedProgram();
    RebuildParameterList();
    RebuildValueList();
    Loop().Post(Handle(), kDescriptor.refreshMessage);
    PostToMainWindow(change_message::kRefreshMainWindow);
    ResetHoldCounter();
    NotifyChange(change_message::kProgram, 0, 0);
    RefreshOtherPanel(CINPUTDSPPROGRAMDlg::kDescriptor.refreshMessage);
}

void CDSPPARAMETERDlg::OnCommand(int id, unsigned code) {
    switch (id) {
        case kProgramCombo:
            if (code == win::CBN_SELCHANGE) {
                ProgramSelected();
            }
            break;
        case kSourceTypeList:
            if (code == win::LBN_SELCHANGE) {
                StoreSelectedProgram();
                RebuildParameterList();
                RebuildValueList();
            }
            break;
        case kParameterList:
        case kValueList:
            if (code == win::LBN_SELCHANGE) {
                const auto* from = Get<win::ListBox>(id);
                auto* to = Get<win::ListBox>(id == kParameterList ? kValueList : kParameterList);
                if (from != nullptr && to != nullptr) {
                    to->SetCurSel(from->GetCurSel());
                }
            }
            break;
        case kDefaultButton:
            if (code == win::BN_CLICKED) {
                RestoreDefaults();
            }
            break;
        default:
            // UP and DOWN act on the mouse press, not on their click.
            break;
    }
}

void CDSPPARAMETERDlg::Step(int direction) {
    auto* list = Get<win::ListBox>(kValueList);
    if (list == nullptr) {
        return;
    }
    const int row = list->GetCurSel();
    if (row < 0) {
        list->SetCurSel(0);
        if (auto* names = Get<win::ListBox>(kParameterList)) {
            names->SetCurSel(list->GetCurSel());
        }
        return;
    }
    const int program = SelectedProgram();
    const int slot = RowSlotAt(row);
    if (program < 0 || slot < 0) {
        return;
    }
    const int value = Image().DspParameter(program, slot);
    const SlotRange range = DspSlotRange(program, slot);
    int next = value;
    if (direction > 0) {
        // A value below its range (from a file or the receiver) comes back to the minimum.
        next = value < range.min ? range.min : value < range.max ? value + 1 : value;
    } else {
        next = value > range.max ? range.max : value > range.min ? value - 1 : value;
    }
    if (next == value) {
        return;
    }
    Image().SetDspParameter(program, slot, static_cast<std::uint8_t>(next));
    ResetHoldCounter();
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(program), slot);
    list->DeleteString(row);
    list->InsertString(row, DspValueText(slot, next));
    list->SetCurSel(row);
}

void CDSPPARAMETERDlg::OnControlMouse(int id, bool pressed) {
    if (!pressed) {
        upCounter_ = 0;
        downCounter_ = 0;
        return;
    }
    if (id == kUpButton) {
        Step(+1);
        upCounter_ = 1;
    } else if (id == kDownButton) {
        Step(-1);
        downCounter_ = 1;
    }
}

void CDSPPARAMETERDlg::OnKeyDown(unsigned /*key*/) {
    upCounter_ = 0;
    downCounter_ = 0;
}

void CDSPPARAMETERDlg::OnTimer(win::TimerId id) {
    if (id != kRepeatTimer) {
        return;
    }
    // Counters 1..4 count the delay; from 5 on every tick steps.
    const auto tick = [this](int& counter, int direction) {
        if (counter >= 1 && counter <= kRepeatDelayTicks) {
            ++counter;
        } else if (counter > kRepeatDelayTicks) {
            Step(direction);
        }
    };
    tick(upCounter_, +1);
    tick(downCounter_, -1);
}

void CDSPPARAMETERDlg::RestoreDefaults() {
    const int program = SelectedProgram();
    for (int parameter = 0; parameter < ModelProfile::kParametersPerProgram; ++parameter) {
        if (!ProgramHasParameter(program, parameter)) {
            continue;
        }
        Image().SetDspParameter(program, parameter,
                                ModelProfile::DefaultParameter(program, parameter));
        NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(program), parameter);
        // The receiver takes the values one by one.
        Loop().Pause(kDefaultPauseMs);
    }
    Refresh();
    RebuildValueList();
}

}  // namespace tra1
