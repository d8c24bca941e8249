#include "platform/win/dialog.h"

#include <algorithm>
#include <cstdio>

#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/dialog_host.h"
#include "platform/win/edit.h"
#include "platform/win/event_loop.h"
#include "platform/win/list_box.h"
#include "platform/win/list_view.h"
#include "platform/win/progress_bar.h"
#include "platform/win/resource_registry.h"
#include "platform/win/slider.h"
#include "platform/win/static.h"
#include "platform/win/virtual_clock.h"

namespace tra1::win {

Dialog::Dialog(EventLoop& loop, int templateId) : Window(loop), templateId_(templateId) {}

Dialog::~Dialog() {
    // The front end must forget the dialog before its controls go.
    if (IsWindow()) {
        WindowStateChanged(WindowChange::kDestroyed);
        DestroySilently();
    }
}

namespace {
std::unique_ptr<Control> MakeControl(Dialog& dialog, const ControlTemplate& source) {
    switch (source.kind) {
        case ControlKind::kStatic:
        case ControlKind::kIcon:
            return std::make_unique<Static>(dialog, source);
        case ControlKind::kPushButton:
        case ControlKind::kDefPushButton:
        case ControlKind::kCheckBox:
        case ControlKind::kRadioButton:
        case ControlKind::kGroupBox:
            return std::make_unique<Button>(dialog, source);
        case ControlKind::kEdit:
            return std::make_unique<Edit>(dialog, source);
        case ControlKind::kComboBox:
            return std::make_unique<ComboBox>(dialog, source);
        case ControlKind::kListBox:
            return std::make_unique<ListBox>(dialog, source);
        case ControlKind::kSlider:
            return std::make_unique<Slider>(dialog, source);
        case ControlKind::kListView:
            return std::make_unique<ListView>(dialog, source);
        case ControlKind::kProgressBar:
            return std::make_unique<ProgressBar>(dialog, source);
    }
    return std::make_unique<Static>(dialog, source);
}
}  // namespace

void Dialog::BuildControls(const DialogTemplate& source) {
    controlsById_.clear();
    controls_.clear();
    focusedControl_ = 0;
    for (const ControlTemplate& control : source.controls) {
        controls_.push_back(MakeControl(*this, control));
        controlsById_.emplace(controls_.back()->Id(), controls_.back().get());
    }
}

bool Dialog::Create(WindowHandle parent) {
    if (IsWindow() || Loop().CreationShouldFail(templateId_)) {
        return false;
    }
    const ResourceRegistry& registry = ResourceRegistry::Instance();
    const DialogTemplate* source = registry.FindDialog(templateId_);
    if (source == nullptr) {
        // A program fault rather than a user's problem: say which template is missing. (A
        // template file that registers itself is only kept when the resources library is
        // linked whole.)
        std::fprintf(stderr, "tra1::win: dialog template %d is not registered\n", templateId_);
        return false;
    }
    template_ = *source;
    ended_ = false;
    result_ = 0;
    placement_ = Placement::kTemplate;
    placementOwner_ = {};
    SetWindowText(template_->caption);
    if (template_->menu != 0) {
        if (const MenuTemplate* menu = registry.FindMenu(template_->menu)) {
            SetMenu(Menu::FromTemplate(*menu));
        }
    }
    BuildControls(*template_);
    if (!Attach(parent)) {
        return false;
    }
    WindowStateChanged(WindowChange::kCreated);
    SendMessage(WM_INITDIALOG);
    if (!IsWindow()) {
        return false;  // the dialog closed itself while initialising
    }
    if ((template_->style & dialog_style::kCenter) != 0 && placement_ == Placement::kTemplate) {
        CenterWindow(parent);
    }
    if ((template_->style & dialog_style::kVisible) != 0 && !ended_) {
        ShowWindow(true);
    }
    return true;
}

int Dialog::DoModal(WindowHandle parent) {
    modal_ = true;
    ended_ = false;
    if (!Create(parent)) {
        modal_ = false;
        return -1;
    }
    Window* owner = Loop().Find(parent);
    const bool reenableOwner = owner != nullptr && owner->IsWindowEnabled();
    if (owner != nullptr) {
        owner->EnableWindow(false);
    }
    if (IsWindow() && !ended_) {
        ShowWindow(true);
        SetFocus();
    }
    DialogHost* host = Loop().GetDialogHost();
    if (IsWindow() && !ended_ && !(host != nullptr && host->RunModal(*this))) {
        RunHeadlessModal();
    }
    const int result = ended_ ? result_ : IDCANCEL;
    if (IsWindow()) {
        DestroyWindow();
    }
    if (reenableOwner) {
        if (Window* again = Loop().Find(parent)) {
            again->EnableWindow(true);
            if (auto* dialog = dynamic_cast<Dialog*>(again)) {
                dialog->SetFocus();
            }
        }
    }
    modal_ = false;
    return result;
}

void Dialog::RunHeadlessModal() {
    EventLoop& loop = Loop();
    const std::int64_t start = loop.NowMs();
    while (IsWindow() && !ended_) {
        loop.ProcessDue();
        if (!IsWindow() || ended_) {
            break;
        }
        if (loop.ModalDriver() && loop.ModalDriver()(*this)) {
            continue;
        }
        const std::int64_t used = loop.NowMs() - start;
        const std::optional<std::int64_t> next = loop.NextDueIn();
        if (!next || used >= loop.ModalTimeLimitMs()) {
            EndDialog(IDCANCEL);  // nobody can ever answer it: give up like a user closing it
            break;
        }
        const std::int64_t wait = std::min(*next, loop.ModalTimeLimitMs() - used);
        if (!loop.AdvanceBy(wait)) {
            loop.WaitForInput(wait);  // real clock without a front end
        }
    }
}

void Dialog::EndDialog(int result) {
    if (modal_) {
        ended_ = true;
        result_ = result;
    }
    ShowWindow(false);
}

void Dialog::SetFocus() {
    if (!IsWindow()) {
        return;
    }
    Loop().SetFocusedWindow(Handle());
    WindowStateChanged(WindowChange::kFocus);
}

bool Dialog::HasFocus() const {
    return IsWindow() && Loop().FocusedWindow() == Handle();
}

void Dialog::CenterWindow(WindowHandle over) {
    placement_ = over.IsNull() ? Placement::kCenterScreen : Placement::kCenterOverOwner;
    placementOwner_ = over;
    if (IsWindow()) {
        WindowStateChanged(WindowChange::kPlacement);
    }
}

Control* Dialog::GetDlgItem(int id) const {
    const auto found = controlsById_.find(id);
    return found == controlsById_.end() ? nullptr : found->second;
}

Control* Dialog::FocusedControl() const {
    return focusedControl_ == 0 ? nullptr : GetDlgItem(focusedControl_);
}

void Dialog::ControlTookFocus(Control& control) {
    Control* previous = FocusedControl();
    if (previous == &control) {
        SetFocus();
        return;
    }
    focusedControl_ = control.Id();
    if (previous != nullptr) {
        if (ControlObserver* observer = previous->Observer()) {
            observer->ControlChanged(*previous, ControlChange::kFocus);
        }
    }
    if (ControlObserver* observer = control.Observer()) {
        observer->ControlChanged(control, ControlChange::kFocus);
    }
    SetFocus();
}

void Dialog::SetDlgItemText(int id, std::string text) {
    if (Control* control = GetDlgItem(id)) {
        control->SetText(std::move(text));
    }
}

std::string Dialog::GetDlgItemText(int id) const {
    if (const Control* control = GetDlgItem(id)) {
        if (const auto* combo = dynamic_cast<const ComboBox*>(control)) {
            return combo->GetWindowText();
        }
        return control->GetText();
    }
    return {};
}

void Dialog::CheckDlgButton(int id, int state) {
    if (Button* button = Get<Button>(id)) {
        button->SetCheck(state);
    }
}

int Dialog::IsDlgButtonChecked(int id) const {
    const Button* button = Get<Button>(id);
    return button == nullptr ? BST_UNCHECKED : button->GetCheck();
}

void Dialog::CheckRadioButton(int first, int last, int check) {
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<Button*>(control.get());
        if (button != nullptr && button->IsRadioButton() && button->Id() >= first &&
            button->Id() <= last) {
            button->SetCheck(button->Id() == check ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void Dialog::EnableDlgItem(int id, bool enabled) {
    if (Control* control = GetDlgItem(id)) {
        control->Enable(enabled);
    }
}

void Dialog::ShowDlgItem(int id, bool visible) {
    if (Control* control = GetDlgItem(id)) {
        control->Show(visible);
    }
}

std::vector<int> Dialog::RadioGroupOf(int id) const {
    const auto at = std::find_if(controls_.begin(), controls_.end(),
                                 [id](const auto& control) { return control->Id() == id; });
    if (at == controls_.end()) {
        return {};
    }
    // The group runs from the nearest kGroup control at or before `id` to the next one after.
    auto begin = at;
    while (begin != controls_.begin() && !(*begin)->HasStyle(style::kGroup)) {
        --begin;
    }
    std::vector<int> group;
    for (auto it = begin; it != controls_.end(); ++it) {
        if (it != begin && (*it)->HasStyle(style::kGroup)) {
            break;
        }
        if ((*it)->GetKind() == ControlKind::kRadioButton) {
            group.push_back((*it)->Id());
        }
    }
    return group;
}

namespace {
// The timers that stand for the idle time of a slider moved by keys or the wheel: one per slider,
// above every timer id the program uses.
constexpr TimerId kSliderIdleTimerBase = 0x7A000000;
constexpr TimerId kSliderIdleTimerLast = kSliderIdleTimerBase + 0xFFFF;

TimerId SliderIdleTimer(int id) {
    return kSliderIdleTimerBase + static_cast<TimerId>(static_cast<std::uint16_t>(id));
}
}  // namespace

void Dialog::ScheduleSliderRelease(int id) {
    if (auto* slider = Get<Slider>(id)) {
        slider->SetHeld(true);
    }
    SetTimer(SliderIdleTimer(id), kSliderIdleMs);  // a later step starts the wait afresh
}

void Dialog::CancelSliderRelease(int id) {
    if (auto* slider = Get<Slider>(id)) {
        slider->SetHeld(false);
    }
    KillTimer(SliderIdleTimer(id));
}

bool Dialog::SliderReleasePending(int id) const {
    return IsWindow() && Loop().HasTimer(Handle(), SliderIdleTimer(id));
}

LResult Dialog::HandleMessage(Msg msg, WParam w, LParam l) {
    switch (msg) {
        case WM_TIMER:
            if (w >= kSliderIdleTimerBase && w <= kSliderIdleTimerLast) {
                const int id = static_cast<int>(w - kSliderIdleTimerBase);
                CancelSliderRelease(id);
                if (Get<Slider>(id) != nullptr) {
                    SendMessage(WM_NOTIFY, static_cast<WParam>(id), NM_RELEASEDCAPTURE);
                }
                return 0;
            }
            return Window::HandleMessage(msg, w, l);
        case WM_INITDIALOG:
            return OnInitDialog() ? 1 : 0;
        case WM_COMMAND: {
            const int id = static_cast<int>(LowWord(w));
            const unsigned code = HighWord(w);
            if (id == IDOK && code == BN_CLICKED) {
                OnOK();
            } else if (id == IDCANCEL && code == BN_CLICKED) {
                OnCancel();
            } else {
                OnCommand(id, code);
            }
            return 0;
        }
        case WM_NOTIFY:
            OnNotify(static_cast<int>(w), l);
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const int id = static_cast<int>(l);
            const Slider* slider = Get<Slider>(id);
            const int position =
                slider != nullptr ? slider->GetPos() : static_cast<std::int16_t>(HighWord(w));
            OnScroll(id, LowWord(w), position);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            OnControlMouse(static_cast<int>(w), msg == WM_LBUTTONDOWN);
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<unsigned>(w));
            return 0;
        default:
            return Window::HandleMessage(msg, w, l);
    }
}

void Dialog::WindowStateChanged(WindowChange change) {
    if (DialogHost* host = Loop().GetDialogHost()) {
        host->DialogChanged(*this, change);
    }
}

}  // namespace tra1::win
