#include "panels/input_dsp_program_dlg.h"

#include <string>
#include <string_view>

#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/dsp_parameter_dlg.h"
#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/event_loop.h"
#include "platform/win/list_box.h"

namespace tra1 {

namespace {

constexpr char kStraight[] = "STRAIGHT";

std::string WithoutLeadingBlanks(std::string_view name) {
    const auto first = name.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(name.substr(first));
}

// Puts `text` at row `row` unless the row reads exactly that already; rows are kept in order,
// so a missing row is appended.
template <typename List>
void PutRow(List& list, int row, const std::string& text, std::string (List::*textOf)(int) const) {
    if (row < list.GetCount()) {
        if ((list.*textOf)(row) == text) {
            return;
        }
        list.DeleteString(row);
    }
    list.InsertString(row, text);
}

template <typename List>
void DeleteRowsFrom(List& list, int first) {
    while (list.GetCount() > first) {
        list.DeleteString(list.GetCount() - 1);
    }
}

}  // namespace

int CINPUTDSPPROGRAMDlg::MainInput() const {
    return Image().MainZoneState.at(main_zone::kMainInput);
}

void CINPUTDSPPROGRAMDlg::OnInitPanel() {
    mouseHeld_ = false;
    UseReadoutColors({kAssignmentList});
    RebuildInputList();
    RebuildProgramSelector();
    // The assignment list and the selector follow in Refresh(), which the base runs next.
}

void CINPUTDSPPROGRAMDlg::Refresh() {
    auto* inputs = Get<win::ListBox>(kInputList);
    auto* assignments = Get<win::ListBox>(kAssignmentList);
    if (inputs != nullptr && assignments != nullptr && inputs->GetCurSel() != MainInput()) {
        inputs->SetCurSel(MainInput());
        assignments->SetCurSel(MainInput());
    }
    RebuildAssignmentList();
    SyncSelector();
}

void CINPUTDSPPROGRAMDlg::OnRefreshMessage(win::WParam w, win::LParam /*l*/) {
    if (RefreshHeld() || mouseHeld_) {
        return;
    }
    if (w == 0) {
        Refresh();
        return;
    }
    // The main window has reloaded its own controls: names may have changed.
    RebuildInputList();
    RebuildProgramSelector();
    if (auto* assignments = Get<win::ListBox>(kAssignmentList)) {
        // Both lists on the main input, as after a plain refresh.
        assignments->SetCurSel(MainInput());
    }
    RebuildAssignmentList();
    SyncSelector();
}

void CINPUTDSPPROGRAMDlg::RebuildInputList() {
    auto* list = Get<win::ListBox>(kInputList);
    if (list == nullptr) {
        return;
    }
    const int last = Profile().HighestInput();
    for (int i = 0; i <= last; ++i) {
        PutRow(*list, i, WithoutLeadingBlanks(ModelProfile::InputName(i)), &win::ListBox::GetText);
    }
    DeleteRowsFrom(*list, last + 1);
    if (list->GetCurSel() != MainInput()) {
        list->SetCurSel(MainInput());  // a main input beyond the list leaves no selection
    }
}

void CINPUTDSPPROGRAMDlg::RebuildProgramSelector() {
    auto* selector = Get<win::ComboBox>(kProgramSelector);
    if (selector == nullptr) {
        return;
    }
    const int last = Profile().HighestProgram();
    for (int i = 0; i <= last; ++i) {
        PutRow(*selector, i, std::string(ModelProfile::ProgramName(i)), &win::ComboBox::GetLBText);
    }
    DeleteRowsFrom(*selector, last + 1);
    // The program of the input the list shows, so that the selector is right even while its
    // drop-down list is open (when the sync leaves it alone).
    if (const auto* inputs = Get<win::ListBox>(kInputList); inputs && inputs->GetCurSel() >= 0) {
        selector->SetCurSel(
            ReceiverImage::ProgramOf(Image().InputProgramByte(inputs->GetCurSel())));
    }
}

void CINPUTDSPPROGRAMDlg::RebuildAssignmentList() {
    auto* list = Get<win::ListBox>(kAssignmentList);
    if (list == nullptr) {
        return;
    }
    const int before = list->GetCurSel();
    const int last = Profile().HighestInput();
    for (int i = 0; i <= last; ++i) {
        const std::uint8_t programByte = Image().InputProgramByte(i);
        // A program index beyond the name table reads as an empty line.
        const std::string text =
            ReceiverImage::EffectOff(programByte)
                ? std::string(kStraight)
                : std::string(ModelProfile::ProgramName(ReceiverImage::ProgramOf(programByte)));
        PutRow(*list, i, text, &win::ListBox::GetText);
    }
    DeleteRowsFrom(*list, last + 1);
    if (before == win::LB_ERR) {
        if (const auto* inputs = Get<win::ListBox>(kInputList)) {
            list->SetCurSel(inputs->GetCurSel());
        }
    } else if (list->GetCurSel() != before) {
        list->SetCurSel(before);
    }
}

void CINPUTDSPPROGRAMDlg::SyncSelector() {
    const auto* inputs = Get<win::ListBox>(kInputList);
    auto* selector = Get<win::ComboBox>(kProgramSelector);
    auto* straight = Get<win::Button>(kStraightCheck);
    if (inputs == nullptr || selector == nullptr || straight == nullptr) {
        return;
    }
    const int input = inputs->GetCurSel();
    if (input < 0) {
        return;  // no input to show
    }
    const std::uint8_t programByte = Image().InputProgramByte(input);
    const int program = ReceiverImage::ProgramOf(programByte);
    const int check = ReceiverImage::EffectOff(programByte) ? win::BST_CHECKED : win::BST_UNCHECKED;
    if ((selector->GetCurSel() == program && straight->GetCheck() == check) ||
        selector->GetDroppedState()) {
        return;
    }
    if (selector->GetCurSel() != program) {
        selector->SetCurSel(program);  // a program beyond the names leaves no selection
    }
    straight->SetCheck(check);
}

void CINPUTDSPPROGRAMDlg::NotifyOthers() {
    StartHold();
    PostToMainWindow(change_message::kRefreshMainWindow);
    if (RefreshOtherPanel(CDSPPARAMETERDlg::kDescriptor.refreshMessage)) {
        StartHold();
    }
}

void CINPUTDSPPROGRAMDlg::OnCommand(int id, unsigned code) {
    switch (id) {
        case kInputList:
        case kAssignmentList:
            if (code == win::LBN_SELCHANGE) {
                if (const auto* list = Get<win::ListBox>(id)) {
                    InputSelected(id == kInputList ? kAssignmentList : kInputList,
                                  list->GetCurSel());
                }
            }
            break;
        case kProgramSelector:
            if (code == win::CBN_SELCHANGE) {
                AssignmentEdited(0);
            }
            break;
        case kStraightCheck:
            if (code == win::BN_CLICKED) {
                AssignmentEdited(1);
            }
            break;
        case kDefaultButton:
            if (code == win::BN_CLICKED) {
                RestoreDefaults();
            }
            break;
        default:
            break;
    }
}

void CINPUTDSPPROGRAMDlg::InputSelected(int otherList, int row) {
    if (row < 0) {
        return;
    }
    if (auto* other = Get<win::ListBox>(otherList)) {
        other->SetCurSel(row);
    }
    if (row != MainInput()) {
        Image().MainZoneState.at(main_zone::kMainInput) = static_cast<std::uint8_t>(row);
        StartHold();
        NotifyChange(kDescriptor.ChangeMessage(), 0);
    }
    SyncSelector();
    NotifyOthers();
}

void CINPUTDSPPROGRAMDlg::AssignmentEdited(win::WParam item) {
    const auto* inputs = Get<win::ListBox>(kInputList);
    const auto* selector = Get<win::ComboBox>(kProgramSelector);
    const auto* straight = Get<win::Button>(kStraightCheck);
    if (inputs == nullptr || selector == nullptr || straight == nullptr) {
        return;
    }
    const int input = inputs->GetCurSel();
    if (input < 0) {
        return;  // no input selected: there is no byte to edit
    }
    int program = selector->GetCurSel();
    if (program < 0) {
        // The selector shows nothing (the stored program has no name): the check box changes
        // the flag and keeps the stored program.
        program = ReceiverImage::ProgramOf(Image().InputProgramByte(input));
    }
    const bool effectOff = straight->GetCheck() == win::BST_CHECKED;
    Image().SetInputProgramByte(
        input, static_cast<std::uint8_t>(program | (effectOff ? program_byte::kEffectOffFlag : 0)));
    RebuildAssignmentList();
    if (auto* assignments = Get<win::ListBox>(kAssignmentList)) {
        assignments->SetCurSel(input);
    }
    // The main window reloads first (it copies the main input's program byte into the current
    // program), then hears of the change and sends that program.
    NotifyOthers();
    StartHold();
    NotifyChange(change_message::kProgram, item);
}

void CINPUTDSPPROGRAMDlg::RestoreDefaults() {
    for (int input = 0; input < input_index::kCount; ++input) {
        Image().SetInputProgramByte(input, ModelProfile::DefaultProgramByte(input));
    }
    RebuildInputList();
    RebuildAssignmentList();
    SyncSelector();
    NotifyOthers();
}

void CINPUTDSPPROGRAMDlg::OnControlMouse(int /*id*/, bool pressed) {
    mouseHeld_ = pressed;
}

}  // namespace tra1
