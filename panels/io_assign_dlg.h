#pragma once
// I/O ASSIGN: which input source each assignable connector of the receiver carries. The
// "I/O PORT" list names the 20 connectors (component video inputs, optical outputs, optical
// inputs, coaxial inputs), the "Function" read-out list beside it the source each one has
// (IoAssignTable, one row per connector kind), and "Select" the sources that the selected
// connector's kind may take. OK, the Enter key or a double click in "Select" applies a source;
// a connector of the same kind that had it takes the old source instead, so no source is
// assigned twice within a kind. "Default" restores the receiver's own assignment.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CIOASSIGNDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9006,
                                                 .templateId = 139,
                                                 .caption = "I/O ASSIGN",
                                                 .menuId = 32774,
                                                 .menuText = "Show I/O ASSIGN",
                                                 .buttonId = 1071,
                                                 .buttonLabel = "I/O ASSIGN",
                                                 .windowName = "ASSIGN",
                                                 .changeMessages = {change_message::kIoAssign},
                                                 .holdCount = 80,
                                                 .holdRule = HoldRule::kCounterOnly};

    static constexpr int kPortList = 1156;
    static constexpr int kFunctionList = 1157;
    static constexpr int kSelectList = 1158;
    static constexpr int kDefaultButton = 3;
    static constexpr int kKindCount = 4;
    // Connectors per kind, in list order: Component, Opt OUT, Opt IN, Coax IN.
    static constexpr std::array<int, kKindCount> kConnectorCounts{6, 3, 7, 4};
    static constexpr std::array<std::string_view, kKindCount> kLabelPrefixes{
        "Component ", "Opt OUT ", "Opt IN ", "Coax IN "};
    static constexpr int kPortCount = 20;
    static constexpr int kDefaultPauseMs = 20;

    struct Connector {
        int kind = 0;
        int number = 0;
    };
    // The connector of a row of "I/O PORT" / "Function"; false for a row outside 0..19.
    static bool ConnectorOfRow(int row, Connector& connector);
    // The input indices that "Select" offers for a kind, in list order.
    static std::vector<int> OfferedSources(int kind);

    explicit CIOASSIGNDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    int SelectedKind() const { return kind_; }
    int SelectedConnector() const { return connector_; }

protected:
    void OnInitPanel() override;
    void Refresh() override;
    // OK and the Enter key apply the "Select" choice.
    void OnOK() override { Apply(); }
    void OnCommand(int id, unsigned code) override;

private:
    // The name of a source as the lists show it: the model's fixed input name.
    static std::string SourceName(int input);
    void RebuildPorts();
    void RebuildFunctions();
    void RebuildSelect();
    void ConnectorSelected(int listId);
    void Apply();
    void RestoreDefaults();

    int kind_ = 0;
    int connector_ = 0;
    // The input index of each "Select" row.
    std::vector<int> selectValues_;
};

}  // namespace tra1
