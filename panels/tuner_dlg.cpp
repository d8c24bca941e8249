#include "panels/tuner_dlg.h"

#include <array>
#include <string_view>

#include "model/receiver_image.h"
#include "model/value_format.h"
#include "model/value_names.h"
#include "platform/win/combo_box.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

constexpr std::array<std::string_view, CTUNERDlg::kPageCount> kPages{"Current", "Page A", "Page B",
                                                                     "Page C",  "Page D", "Page E"};
constexpr std::string_view kCurrentLine = "Current";
constexpr std::string_view kFirstPresetLine = "Preset 1";

// The top of each band, the first item of the frequency selector.
}  // namespace

int CTUNERDlg::EntryFor(int page, int row) {
    if (page == 0) {
        return row == 0 ? 0 : -1;
    }
    if (page < 1 || page >= kPageCount || row < 0 || row >= kRowsPerPage) {
        return -1;
    }
    return kRowsPerPage * page - (kRowsPerPage - 1) + row;
}

std::string CTUNERDlg::LineText(int band, int step) {
    return (band != 0 ? "FM : " : "AM : ") + value_names::TunerFrequencyName(band, step);
}

void CTUNERDlg::OnInitPanel() {
    if (auto* pages = Get<win::ComboBox>(kPageCombo)) {
        for (const auto page : kPages) {
            pages->AddString(std::string(page));
        }
    }
    UseReadoutColors({kFrequencyList});
}

int CTUNERDlg::SelectedPage() const {
    const auto* pages = Get<win::ComboBox>(kPageCombo);
    return pages != nullptr ? pages->GetCurSel() : win::CB_ERR;
}

int CTUNERDlg::SelectedRow() const {
    const auto* presets = Get<win::ListBox>(kPresetList);
    return presets != nullptr ? presets->GetCurSel() : win::LB_ERR;
}

void CTUNERDlg::SelectRow(int row) {
    if (auto* presets = Get<win::ListBox>(kPresetList)) {
        presets->SetCurSel(row);
    }
    if (auto* frequencies = Get<win::ListBox>(kFrequencyList)) {
        frequencies->SetCurSel(row);
    }
}

void CTUNERDlg::FillFrequencySelector(int band) {
    auto* selector = Get<win::ComboBox>(kFrequencyCombo);
    if (selector == nullptr) {
        return;
    }
    const std::string top = value_names::TunerFrequencyName(band, 0);
    if (selector->GetCount() > 0 && selector->GetLBText(0) == top) {
        return;
    }
    selector->ResetContent();
    // Item index = step: 103 FM items down to 87.5 MHz, 119 AM items down to 530 kHz.
    const int highest = band != 0 ? value_names::kHighestFmStep : value_names::kHighestAmStep;
    for (int step = 0; step <= highest; ++step) {
        selector->AddString(value_names::TunerFrequencyName(band, step));
    }
    selector->SetCurSel(selector->GetCount() - 1);
}

void CTUNERDlg::ReplaceFrequencyLine(int row, const std::string& text) {
    auto* frequencies = Get<win::ListBox>(kFrequencyList);
    if (frequencies == nullptr) {
        return;
    }
    if (row < frequencies->GetCount()) {
        if (frequencies->GetText(row) == text) {
            return;
        }
        // A new text for the same preset: the row keeps its selection.
        const bool selected = frequencies->GetCurSel() == row;
        frequencies->DeleteString(row);
        frequencies->InsertString(row, text);
        if (selected) {
            frequencies->SetCurSel(row);
        }
    } else {
        frequencies->AddString(text);
    }
}

void CTUNERDlg::RebuildFrequencyList(int page) {
    const int rows = page == 0 ? 1 : kRowsPerPage;
    for (int row = 0; row < rows; ++row) {
        const int entry = EntryFor(page, row);
        ReplaceFrequencyLine(row, LineText(Image().TunerBand(entry), Image().TunerStep(entry)));
    }
    if (auto* frequencies = Get<win::ListBox>(kFrequencyList)) {
        while (frequencies->GetCount() > rows) {
            frequencies->DeleteString(frequencies->GetCount() - 1);
        }
    }
}

void CTUNERDlg::Refresh() {
    auto* pages = Get<win::ComboBox>(kPageCombo);
    auto* presets = Get<win::ListBox>(kPresetList);
    auto* frequencies = Get<win::ListBox>(kFrequencyList);
    if (pages == nullptr || presets == nullptr || frequencies == nullptr) {
        return;
    }
    if (pages->GetCurSel() == win::CB_ERR) {
        pages->SetCurSel(0);
    }
    const int page = pages->GetCurSel();

    // The preset names are rebuilt only when the kind of page changes, so that moving between
    // pages A to E keeps the row the user chose.
    if (page == 0) {
        if (presets->GetText(0) != kCurrentLine) {
            presets->ResetContent();
            presets->AddString(std::string(kCurrentLine));
        }
    } else if (presets->GetText(0) != kFirstPresetLine) {
        presets->ResetContent();
        for (int number = 1; number <= kRowsPerPage; ++number) {
            presets->AddString("Preset " + FormatInteger(number));
        }
    }
    if (presets->GetCurSel() == win::LB_ERR) {
        SelectRow(0);
    }
    if (auto* band = SliderAt(kBandSwitch)) {
        band->SetRange(0, 1);
    }
    RebuildFrequencyList(page);
    if (frequencies->GetCurSel() == win::LB_ERR) {
        SelectRow(0);
    }
    SyncWithSelectedPreset();
}

void CTUNERDlg::SyncWithSelectedPreset() {
    const int entry = EntryFor(SelectedPage(), SelectedRow());
    if (entry < 0) {
        return;
    }
    // Any non-zero band byte is FM, as the lists show it; caching the raw byte would make a
    // release at the FM end look like a band change.
    cachedBand_ = Image().TunerBand(entry) != 0 ? 1 : 0;
    SetSliderPos(kBandSwitch, cachedBand_);
    FillFrequencySelector(cachedBand_);
    auto* selector = Get<win::ComboBox>(kFrequencyCombo);
    if (selector != nullptr && !selector->GetDroppedState()) {
        // A step beyond the band's items leaves no selection.
        selector->SetCurSel(Image().TunerStep(entry));
    }
}

void CTUNERDlg::StorePreset() {
    const int page = SelectedPage();
    const int row = SelectedRow();
    const int entry = EntryFor(page, row);
    const auto* selector = Get<win::ComboBox>(kFrequencyCombo);
    const int step = selector != nullptr ? selector->GetCurSel() : win::CB_ERR;
    if (entry < 0 || step == win::CB_ERR) {
        return;
    }
    const int band = SliderPos(kBandSwitch);
    Image().SetTunerPreset(entry, static_cast<std::uint8_t>(band), static_cast<std::uint8_t>(step));
    ReplaceFrequencyLine(row, LineText(band, step));
    SelectRow(row);
    StartHold();
    NotifyChange(Descriptor().ChangeMessage(), static_cast<win::WParam>(page),
                 static_cast<win::LParam>(row + 1));
}

void CTUNERDlg::OnNotify(int id, win::LParam code) {
    if (id != kBandSwitch || code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    const int band = SliderPos(kBandSwitch);
    if (band == cachedBand_) {
        return;
    }
    cachedBand_ = band;
    FillFrequencySelector(band);  // selects the band's lowest frequency
    StorePreset();
}

void CTUNERDlg::OnCommand(int id, unsigned code) {
    if (id == kPageCombo && code == win::CBN_SELCHANGE) {
        Refresh();
    } else if (id == kFrequencyCombo && code == win::CBN_SELCHANGE) {
        StorePreset();
    } else if ((id == kPresetList || id == kFrequencyList) && code == win::LBN_SELCHANGE) {
        const auto* list = Get<win::ListBox>(id);
        if (list == nullptr) {
            return;
        }
        SelectRow(list->GetCurSel());
        SyncWithSelectedPreset();
    }
}

}  // namespace tra1
