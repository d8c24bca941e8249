#include "panels/input_rename_dlg.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/list_rows.h"
#include "platform/win/edit.h"
#include "platform/win/event_loop.h"
#include "platform/win/list_box.h"

namespace tra1 {

namespace {

constexpr std::string_view kDiscarded = "!\"$%&'();=@[\\]^_`{|}~";

}  // namespace

bool CINPUTRENAMEDlg::IsNameCharacter(char c) {
    // Printable ASCII only: every byte of a character beyond it (UTF-8, Latin-1) is dropped.
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte <= 0x7E && kDiscarded.find(c) == std::string_view::npos;
}

std::string CINPUTRENAMEDlg::NameCharacters(std::string_view text) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), IsNameCharacter);
    return kept;
}

int CINPUTRENAMEDlg::LineCount() const {
    const int inputs = Profile().HighestInput() + 1;
    return Profile().HasMultiChannelInput() ? inputs + 1 : inputs;
}

std::vector<std::string> CINPUTRENAMEDlg::DefaultNames() const {
    std::vector<std::string> names;
    const int inputs = Profile().HighestInput() + 1;
    for (int i = 0; i < inputs; ++i) {
        names.emplace_back(ModelProfile::DefaultInputName(i));
    }
    if (Profile().HasMultiChannelInput()) {
        names.emplace_back(kMultiChannelName);
    }
    return names;
}

void CINPUTRENAMEDlg::OnInitPanel() {
    UseReadoutColors({kNewNameList});
}

void CINPUTRENAMEDlg::Refresh() {
    auto* defaults = Get<win::ListBox>(kDefaultNameList);
    auto* names = Get<win::ListBox>(kNewNameList);
    if (defaults == nullptr || names == nullptr) {
        return;
    }
    SyncListRows(*defaults, DefaultNames());
    if (defaults->GetCurSel() == win::LB_ERR) {
        defaults->SetCurSel(0);
    }
    std::vector<std::string> current;
    for (int i = 0; i < LineCount(); ++i) {
        current.push_back(Image().InputName(i));
    }
    SyncListRows(*names, current);
    if (names->GetCurSel() == win::LB_ERR) {
        names->SetCurSel(defaults->GetCurSel());
    }
    if (auto* box = Get<win::Edit>(kNameBox)) {
        box->SetLimitText(kNameLimit);
    }
}

void CINPUTRENAMEDlg::OnCommand(int id, unsigned code) {
    switch (id) {
        case kDefaultNameList:
        case kNewNameList:
            if (code == win::LBN_SELCHANGE) {
                if (const auto* list = Get<win::ListBox>(id)) {
                    const int other = id == kDefaultNameList ? kNewNameList : kDefaultNameList;
                    if (auto* mirror = Get<win::ListBox>(other)) {
                        mirror->SetCurSel(list->GetCurSel());
                    }
                }
            } else if (code == win::LBN_DBLCLK && id == kNewNameList) {
                // Offers the current name for editing; nothing is stored yet.
                if (const auto* list = Get<win::ListBox>(kNewNameList)) {
                    SetDlgItemText(kNameBox, list->GetText(list->GetCurSel()));
                }
            }
            break;
        case kNameBox:
            if (code == win::EN_CHANGE) {
                FilterNameBox();
            }
            break;
        case kEnterButton:
            if (code == win::BN_CLICKED) {
                Rename();
            }
            break;
        case kDefaultButton:
            if (code == win::BN_CLICKED) {
                RestoreDefaultNames();
            }
            break;
        default:
            break;
    }
}

void CINPUTRENAMEDlg::FilterNameBox() {
    auto* box = Get<win::Edit>(kNameBox);
    if (box == nullptr) {
        return;
    }
    const std::string& typed = box->GetText();
    if (std::all_of(typed.begin(), typed.end(), IsNameCharacter)) {
        return;
    }
    // The window system reports typing after the fact, so the discarded characters are taken
    // out again; the caret stays after the last character that was kept.
    const auto caretAt =
        static_cast<std::size_t>(std::clamp(box->GetSelEnd(), 0, box->GetTextLength()));
    std::string kept;
    int caret = 0;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (IsNameCharacter(typed[i])) {
            kept.push_back(typed[i]);
            if (i < caretAt) {
                ++caret;
            }
        }
    }
    box->SetText(std::move(kept));
    box->SetSel(caret, caret);
}

void CINPUTRENAMEDlg::Rename() {
    auto* names = Get<win::ListBox>(kNewNameList);
    if (names == nullptr) {
        return;
    }
    const int line = names->GetCurSel();
    // The refresh always leaves a line selected; a line that names no entry stores nothing.
    if (line < 0 || line >= names->GetCount() || line >= LineCount()) {
        return;
    }
    // The box may hold a name put there without typing (a double-clicked line read from a
    // file): only what the receiver can show is stored.
    if (!Image().SetInputName(line, NameCharacters(GetDlgItemText(kNameBox)))) {
        return;
    }
    // The line shows what the entry holds (at most eight characters).
    names->DeleteString(line);
    names->InsertString(line, Image().InputName(line));
    names->SetCurSel(line);
    StartHold();
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(line));
}

void CINPUTRENAMEDlg::RestoreDefaultNames() {
    auto* names = Get<win::ListBox>(kNewNameList);
    if (names == nullptr) {
        return;
    }
    names->ResetContent();
    const std::vector<std::string> defaults = DefaultNames();
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        const int entry = static_cast<int>(i);
        names->InsertString(-1, defaults[i]);
        Image().SetInputName(entry, defaults[i]);
        StartHold();
        NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(entry));
        // The receiver takes one name at a time.
        Context().loop.Pause(kDefaultPauseMs);
    }
    SelectLineInBoth(0);
}

void CINPUTRENAMEDlg::SelectLineInBoth(int line) {
    for (const int id : {kDefaultNameList, kNewNameList}) {
        if (auto* list = Get<win::ListBox>(id)) {
            list->SetCurSel(line);
        }
    }
}

}  // namespace tra1
