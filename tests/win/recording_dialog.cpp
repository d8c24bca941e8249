#include "tests/win/recording_dialog.h"

#include "platform/win/resource_registry.h"

namespace tra1::win::testing {

int RegisterTestTemplate() {
    using win::ControlKind;
    namespace style = win::style;
    win::DialogTemplate t;
    t.id = kTestDialogId;
    t.caption = "Test Dialog";
    t.cx = 200;
    t.cy = 150;
    t.style |= win::dialog_style::kVisible;
    t.controls = {
        {kSliderId, ControlKind::kSlider, "", style::kNone, 5, 5, 100, 15},
        {kVerticalSliderId, ControlKind::kSlider, "", style::kVertical, 110, 5, 15, 80},
        {kComboId, ControlKind::kComboBox, "", style::kDropDownList, 5, 25, 80, 60},
        {kListId, ControlKind::kListBox, "", style::kNone, 5, 45, 80, 40},
        {kPushId, ControlKind::kPushButton, "Push", style::kNone, 5, 90, 40, 14},
        {kCheckId, ControlKind::kCheckBox, "Check", style::kNone, 50, 90, 40, 10},
        {kRadioA, ControlKind::kRadioButton, "A", style::kGroup, 5, 105, 20, 10},
        {kRadioB, ControlKind::kRadioButton, "B", style::kNone, 30, 105, 20, 10},
        {kRadioC, ControlKind::kRadioButton, "C", style::kNone, 55, 105, 20, 10},
        {kOtherRadio, ControlKind::kRadioButton, "Other", style::kGroup, 80, 105, 30, 10},
        {kEditId, ControlKind::kEdit, "", style::kGroup, 5, 120, 60, 12},
        {kMemoId, ControlKind::kEdit, "", style::kMultiLine | style::kWantReturn, 70, 120, 60, 24},
        {kLabelId, ControlKind::kStatic, "Label", style::kNone, 140, 5, 40, 8},
        {kProgressId, ControlKind::kProgressBar, "", style::kNone, 140, 20, 50, 8},
        {kHiddenId, ControlKind::kPushButton, "Hidden", style::kHidden, 140, 30, 40, 14},
        {IDOK, ControlKind::kDefPushButton, "OK", style::kNone, 140, 130, 25, 14},
        {IDCANCEL, ControlKind::kPushButton, "Cancel", style::kNone, 170, 130, 25, 14},
    };
    win::ResourceRegistry::Instance().AddDialog(t);
    return t.id;
}

bool RecordingDialog::OnInitDialog() {
    events.push_back({"init", 0, 0});
    return true;
}

void RecordingDialog::OnOK() {
    events.push_back({"ok", IDOK, 0});
    if (closeOnOk) {
        EndDialog(IDOK);
    }
}

void RecordingDialog::OnCancel() {
    events.push_back({"cancel", IDCANCEL, 0});
    if (destroyOnCancel) {
        DestroyWindow();
    } else {
        EndDialog(IDCANCEL);
    }
}

void RecordingDialog::OnCommand(int id, unsigned code) {
    events.push_back({"command", id, code});
}

void RecordingDialog::OnNotify(int id, LParam code) {
    events.push_back({"notify", id, code});
}

void RecordingDialog::OnScroll(int id, unsigned code, int position) {
    events.push_back({"scroll", id, static_cast<long long>(code) * 100000 + position});
}

void RecordingDialog::OnControlMouse(int id, bool pressed) {
    events.push_back({"mouse", id, pressed ? 1 : 0});
}

void RecordingDialog::OnKeyDown(unsigned key) {
    events.push_back({"key", static_cast<int>(key), 0});
}

}  // namespace tra1::win::testing
