#include "panels/io_assign_dlg.h"

#include <cstddef>

#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/list_rows.h"
#include "platform/win/event_loop.h"
#include "platform/win/list_box.h"

namespace tra1 {

namespace {

// The first row of each kind in "I/O PORT".
constexpr std::array<int, CIOASSIGNDlg::kKindCount> kFirstRows{0, 6, 9, 16};

}  // namespace

bool CIOASSIGNDlg::ConnectorOfRow(int row, Connector& connector) {
    if (row < 0 || row >= kPortCount) {
        return false;
    }
    int kind = kKindCount - 1;
    while (row < kFirstRows.at(static_cast<std::size_t>(kind))) {
        --kind;
    }
    connector = {kind, row - kFirstRows.at(static_cast<std::size_t>(kind))};
    return true;
}

std::vector<int> CIOASSIGNDlg::OfferedSources(int kind) {
    std::vector<int> sources;
    if (kind == 0) {
        // Component video: the video sources DVD to V-AUX.
        for (int k = 0; k < 8; ++k) {
            sources.push_back(ModelProfile::AssignableInput(k));
        }
        return sources;
    }
    for (int input = 0; input <= ModelProfile::kHighestInput; ++input) {
        // The tuner has no digital connector; V-AUX has no optical input.
        if (input == input_index::kTuner || (kind == 2 && input == input_index::kVaux)) {
            continue;
        }
        sources.push_back(input);
    }
    return sources;
}

std::string CIOASSIGNDlg::SourceName(int input) {
    // Unused positions (255) and other indices past the names show an empty text.
    std::string_view name = ModelProfile::InputName(input);
    while (!name.empty() && name.front() == ' ') {
        name.remove_prefix(1);
    }
    return std::string(name);
}

void CIOASSIGNDlg::OnInitPanel() {
    kind_ = 0;
    connector_ = 0;
    selectValues_.clear();
    UseReadoutColors({kFunctionList});
}

void CIOASSIGNDlg::Refresh() {
    RebuildPorts();
    RebuildFunctions();
    RebuildSelect();
}

void CIOASSIGNDlg::RebuildPorts() {
    auto* ports = Get<win::ListBox>(kPortList);
    if (ports == nullptr) {
        return;
    }
    std::vector<std::string> labels;
    for (int kind = 0; kind < kKindCount; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        for (int n = 0; n < kConnectorCounts.at(k); ++n) {
            labels.push_back(std::string(kLabelPrefixes.at(k)) + std::to_string(n + 1));
        }
    }
    SyncListRows(*ports, labels);
    if (ports->GetCurSel() == win::LB_ERR) {
        ports->SetCurSel(0);
    }
}

void CIOASSIGNDlg::RebuildFunctions() {
    auto* functions = Get<win::ListBox>(kFunctionList);
    if (functions == nullptr) {
        return;
    }
    std::vector<std::string> rows;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int n = 0; n < kConnectorCounts.at(static_cast<std::size_t>(kind)); ++n) {
            const int source = Image().IoAssign(kind, n);
            bool shownAbove = false;
            for (int i = 0; i < n; ++i) {
                shownAbove = shownAbove || Image().IoAssign(kind, i) == source;
            }
            rows.push_back(shownAbove ? std::string("---") : SourceName(source));
        }
    }
    SyncListRows(*functions, rows);
}

void CIOASSIGNDlg::RebuildSelect() {
    auto* select = Get<win::ListBox>(kSelectList);
    if (select == nullptr) {
        return;
    }
    selectValues_ = OfferedSources(kind_);
    std::vector<std::string> names;
    for (const int source : selectValues_) {
        names.push_back(SourceName(source));
    }
    SyncListRows(*select, names);
    // The selection is left where it was, not moved to the connector's source.
    if (select->GetCurSel() == win::LB_ERR) {
        select->SetCurSel(0);
    }
}

void CIOASSIGNDlg::OnCommand(int id, unsigned code) {
    if ((id == kPortList || id == kFunctionList) && code == win::LBN_SELCHANGE) {
        ConnectorSelected(id);
    } else if (id == kSelectList && code == win::LBN_DBLCLK) {
        Apply();
    } else if (id == kDefaultButton && code == win::BN_CLICKED) {
        RestoreDefaults();
    }
}

void CIOASSIGNDlg::ConnectorSelected(int listId) {
    const auto* list = Get<win::ListBox>(listId);
    auto* other = Get<win::ListBox>(listId == kPortList ? kFunctionList : kPortList);
    if (list == nullptr || other == nullptr) {
        return;
    }
    const int row = list->GetCurSel();
    other->SetCurSel(row);
    Connector selected;
    if (!ConnectorOfRow(row, selected)) {
        return;
    }
    const bool kindChanged = selected.kind != kind_;
    kind_ = selected.kind;
    connector_ = selected.number;
    if (kindChanged) {
        RebuildSelect();
    }
}

void CIOASSIGNDlg::Apply() {
    auto* select = Get<win::ListBox>(kSelectList);
    if (select == nullptr) {
        return;
    }
    if (select->GetCurSel() == win::LB_ERR) {
        select->SetCurSel(0);
    }
    const int row = select->GetCurSel();
    if (row < 0 || static_cast<std::size_t>(row) >= selectValues_.size()) {
        return;
    }
    const auto source = static_cast<std::uint8_t>(selectValues_[static_cast<std::size_t>(row)]);
    const std::uint8_t old = Image().IoAssign(kind_, connector_);
    if (source == old) {
        return;
    }
    Image().SetIoAssign(kind_, connector_, source);
    // The connector that had the source takes the old one: the two exchange.
    for (int i = 0; i < kConnectorCounts.at(static_cast<std::size_t>(kind_)); ++i) {
        if (i != connector_ && Image().IoAssign(kind_, i) == source) {
            Image().SetIoAssign(kind_, i, old);
        }
    }
    RebuildFunctions();
    // Only the chosen connector is announced; the receiver makes the exchange itself.
    StartHold();
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(kind_),
                 static_cast<win::LParam>(connector_));
}

void CIOASSIGNDlg::RestoreDefaults() {
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int n = 0; n < ModelProfile::kIoRowSize; ++n) {
            Image().SetIoAssign(kind, n, ModelProfile::DefaultImageIoAssign(kind, n));
        }
    }
    RebuildFunctions();
    RebuildPorts();
    kind_ = 0;
    connector_ = 0;
    RebuildSelect();
    for (const int id : {kPortList, kFunctionList, kSelectList}) {
        if (auto* list = Get<win::ListBox>(id)) {
            list->SetCurSel(0);
        }
    }
    // Connector 0 of every kind first, then connector 1, ...; the receiver takes one at a time.
    for (int n = 0; n < ModelProfile::kIoRowSize; ++n) {
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (Image().IoAssign(kind, n) == ModelProfile::kIoNone) {
                continue;
            }
            StartHold();
            NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(kind),
                         static_cast<win::LParam>(n));
            Context().loop.Pause(kDefaultPauseMs);
        }
    }
}

}  // namespace tra1
