#include "platform/win/user_input.h"

#include <algorithm>

#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/list_view.h"
#include "platform/win/slider.h"
#include "platform/win/static.h"

namespace tra1::win::user {

namespace {

bool DialogUsable(const Window& window) {
    return window.IsWindow() && window.IsWindowVisible() && window.IsWindowEnabled();
}

// The control as a user can reach it: there, enabled and visible, in a usable dialog.
template <typename T>
T* Usable(Dialog& dialog, int id) {
    if (!DialogUsable(dialog)) {
        return nullptr;
    }
    T* control = dialog.Get<T>(id);
    if (control == nullptr || !control->IsEnabled() || !control->IsVisible()) {
        return nullptr;
    }
    return control;
}

void Command(Dialog& dialog, int id, unsigned code) {
    dialog.SendMessage(WM_COMMAND, MakeWParam(static_cast<unsigned>(id), code), 0);
}

void Scroll(Dialog& dialog, const Slider& slider, unsigned code) {
    dialog.SendMessage(slider.IsVertical() ? WM_VSCROLL : WM_HSCROLL,
                       MakeWParam(code, static_cast<unsigned>(slider.GetPos())),
                       static_cast<LParam>(slider.Id()));
}

// Inserts typed text at the caret, within the limit; true if the text changed.
bool InsertTyped(Edit& edit, std::string_view typed) {
    const int selected = edit.GetSelEnd() - edit.GetSelStart();
    const int room = std::max(0, edit.GetLimitText() - (edit.GetTextLength() - selected));
    const std::string insert(typed.substr(0, static_cast<std::size_t>(room)));
    const std::string before = edit.GetText();
    edit.ReplaceSel(insert);
    return edit.GetText() != before;
}

}  // namespace

bool ReleaseSlider(Dialog& dialog, int id, int position) {
    Slider* slider = Usable<Slider>(dialog, id);
    if (slider == nullptr) {
        return false;
    }
    dialog.CancelSliderRelease(id);  // this release stands for the pending one
    slider->MoveThumb(position);
    dialog.SendMessage(WM_NOTIFY, static_cast<WParam>(id), NM_RELEASEDCAPTURE);
    return true;
}

bool DragSlider(Dialog& dialog, int id, int position) {
    Slider* slider = Usable<Slider>(dialog, id);
    if (slider == nullptr) {
        return false;
    }
    slider->MoveThumb(position);
    Scroll(dialog, *slider, TB_THUMBTRACK);
    return true;
}

bool KeyboardSlider(Dialog& dialog, int id, int position) {
    Slider* slider = Usable<Slider>(dialog, id);
    if (slider == nullptr) {
        return false;
    }
    slider->MoveThumb(position);
    dialog.ScheduleSliderRelease(id);
    Scroll(dialog, *slider, TB_ENDTRACK);
    return true;
}

bool WheelSlider(Dialog& dialog, int id, int position) {
    return KeyboardSlider(dialog, id, position);
}

bool PickComboItem(Dialog& dialog, int id, int index) {
    ComboBox* combo = Usable<ComboBox>(dialog, id);
    if (combo == nullptr || index < 0 || index >= combo->GetCount()) {
        return false;
    }
    combo->SetCurSel(index);
    const bool wasOpen = combo->GetDroppedState();
    Command(dialog, id, CBN_SELCHANGE);
    if (wasOpen) {
        // The handler may have destroyed the dialog; only a live combo closes its list.
        if (ComboBox* still = dialog.IsWindow() ? dialog.Get<ComboBox>(id) : nullptr) {
            still->ShowDropDown(false);
            Command(dialog, id, CBN_CLOSEUP);
        }
    }
    return true;
}

bool OpenComboList(Dialog& dialog, int id) {
    ComboBox* combo = Usable<ComboBox>(dialog, id);
    if (combo == nullptr) {
        return false;
    }
    if (!combo->GetDroppedState()) {
        combo->ShowDropDown(true);
        Command(dialog, id, CBN_DROPDOWN);
    }
    return true;
}

bool CloseComboList(Dialog& dialog, int id) {
    // Closing must work even if the combo was disabled while its list was open.
    ComboBox* combo = dialog.IsWindow() ? dialog.Get<ComboBox>(id) : nullptr;
    if (combo == nullptr) {
        return false;
    }
    if (combo->GetDroppedState()) {
        combo->ShowDropDown(false);
        Command(dialog, id, CBN_CLOSEUP);
    }
    return true;
}

bool SelectListRow(Dialog& dialog, int id, int row) {
    ListBox* list = Usable<ListBox>(dialog, id);
    if (list == nullptr || row < 0 || row >= list->GetCount()) {
        return false;
    }
    list->SetCurSel(row);
    Command(dialog, id, LBN_SELCHANGE);
    return true;
}

bool ClickColumnHeader(Dialog& dialog, int id, int column) {
    ListView* view = Usable<ListView>(dialog, id);
    if (view == nullptr || column < 0 || column >= view->ColumnCount()) {
        return false;
    }
    const bool ascending = !(view->SortColumn() == column && view->SortAscending());
    view->SortBy(column, ascending);
    Command(dialog, id, LVN_COLUMNCLICK);
    return true;
}

bool DoubleClickListRow(Dialog& dialog, int id, int row) {
    ListBox* list = Usable<ListBox>(dialog, id);
    if (list == nullptr || row < 0 || row >= list->GetCount()) {
        return false;
    }
    if (list->GetCurSel() != row) {
        list->SetCurSel(row);
        Command(dialog, id, LBN_SELCHANGE);
        if (!dialog.IsWindow()) {
            return true;
        }
    }
    Command(dialog, id, LBN_DBLCLK);
    return true;
}

bool Click(Dialog& dialog, int id) {
    Button* button = Usable<Button>(dialog, id);
    if (button == nullptr || button->GetKind() == ControlKind::kGroupBox) {
        return false;
    }
    if (button->IsCheckBox()) {
        button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    } else if (button->IsRadioButton()) {
        for (const int other : dialog.RadioGroupOf(id)) {
            if (other != id) {
                dialog.CheckDlgButton(other, BST_UNCHECKED);
            }
        }
        button->SetCheck(BST_CHECKED);
    }
    Command(dialog, id, BN_CLICKED);
    return true;
}

bool ClickLabel(Dialog& dialog, int id) {
    Static* label = Usable<Static>(dialog, id);
    if (label == nullptr || !label->HasStyle(win::style::kNotify)) {
        return false;
    }
    Command(dialog, id, STN_CLICKED);
    return true;
}

bool TypeText(Dialog& dialog, int id, std::string_view text) {
    Edit* edit = Usable<Edit>(dialog, id);
    if (edit == nullptr || edit->IsReadOnly()) {
        return false;
    }
    if (InsertTyped(*edit, text)) {
        Command(dialog, id, EN_CHANGE);
    }
    return true;
}

bool ReplaceEditText(Dialog& dialog, int id, std::string_view text) {
    // The edit field of an editable combo box takes typing too; it reports CBN_EDITCHANGE.
    if (auto* combo = Usable<ComboBox>(dialog, id);
        combo != nullptr && combo->HasStyle(style::kDropDown)) {
        if (combo->GetWindowText() != text) {
            combo->SetEditText(std::string(text));
            Command(dialog, id, CBN_EDITCHANGE);
        }
        return true;
    }
    Edit* edit = Usable<Edit>(dialog, id);
    if (edit == nullptr || edit->IsReadOnly()) {
        return false;
    }
    edit->SetSel(0, -1);
    if (InsertTyped(*edit, text)) {
        Command(dialog, id, EN_CHANGE);
    }
    return true;
}

bool PressKey(Dialog& dialog, unsigned key) {
    if (!DialogUsable(dialog)) {
        return false;
    }
    dialog.SendMessage(WM_KEYDOWN, key, 0);
    if (!dialog.IsWindow()) {
        return true;
    }
    if (key == VK_ESCAPE) {
        Command(dialog, IDCANCEL, BN_CLICKED);
    } else if (key == VK_RETURN) {
        Control* focused = dialog.FocusedControl();
        auto* edit = dynamic_cast<Edit*>(focused);
        if (edit != nullptr && edit->IsMultiLine() && edit->HasStyle(style::kWantReturn)) {
            return TypeText(dialog, edit->Id(), "\r\n");
        }
        // Enter presses the focused push button, else the default button, else IDOK.
        int target = IDOK;
        auto* button = dynamic_cast<Button*>(focused);
        if (button != nullptr && button->IsPushButton() && button->IsEnabled()) {
            target = button->Id();
        } else {
            for (const auto& control : dialog.Controls()) {
                if (control->GetKind() == ControlKind::kDefPushButton && control->IsEnabled() &&
                    control->IsVisible()) {
                    target = control->Id();
                    break;
                }
            }
        }
        Command(dialog, target, BN_CLICKED);
    }
    return true;
}

bool PressEnter(Dialog& dialog) {
    return PressKey(dialog, VK_RETURN);
}

bool PressEsc(Dialog& dialog) {
    return PressKey(dialog, VK_ESCAPE);
}

bool MousePress(Dialog& dialog, int id) {
    Control* control = Usable<Control>(dialog, id);
    if (control == nullptr) {
        return false;
    }
    if (auto* button = dynamic_cast<Button*>(control)) {
        button->SetPressed(true);
    }
    dialog.SendMessage(WM_LBUTTONDOWN, static_cast<WParam>(id), 0);
    return true;
}

bool MouseRelease(Dialog& dialog, int id) {
    // A release always reaches the control that was pressed, even if it was disabled meanwhile
    // (the toolkit's mouse capture), so auto-repeats always stop.
    Control* control = dialog.IsWindow() ? dialog.GetDlgItem(id) : nullptr;
    if (control == nullptr) {
        return false;
    }
    if (auto* button = dynamic_cast<Button*>(control)) {
        button->SetPressed(false);
    }
    dialog.SendMessage(WM_LBUTTONUP, static_cast<WParam>(id), 0);
    return true;
}

bool CloseBox(Window& window) {
    if (!window.IsWindow() || !window.IsWindowEnabled()) {
        return false;
    }
    window.SendMessage(WM_CLOSE);
    return true;
}

bool ChooseMenuItem(Window& window, int commandId) {
    if (!window.IsWindow() || !window.IsWindowEnabled()) {
        return false;
    }
    const Menu* menu = window.GetMenu();
    if (menu == nullptr || !menu->IsEnabled(commandId)) {
        return false;
    }
    window.SendMessage(WM_COMMAND, MakeWParam(static_cast<unsigned>(commandId), 0), 0);
    return true;
}

bool ChooseSystemMenuItem(Window& window, unsigned command) {
    if (!window.IsWindow() || !window.IsWindowEnabled() ||
        !window.GetSystemMenu().IsEnabled(static_cast<int>(command))) {
        return false;
    }
    window.SendMessage(WM_SYSCOMMAND, command, 0);
    return true;
}

bool FocusControl(Dialog& dialog, int id) {
    Control* control = Usable<Control>(dialog, id);
    if (control == nullptr) {
        return false;
    }
    control->SetFocus();
    return true;
}

}  // namespace tra1::win::user
