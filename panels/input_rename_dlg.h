#pragma once
// INPUT RENAME: the name of up to eight characters that the receiver shows for each input
// (InputNames). The left list holds the inputs' default names, the right list the current names
// (cyan on black); the two lists always select the same line. A name typed into the box is
// stored for the selected line by the ENTER button or the Enter key; "Default" restores and
// announces every name. Only characters the receiver can show pass: printable ASCII, without the
// punctuation its display lacks. Others are discarded as they are typed and never stored, so a
// name never holds half of a character that takes several bytes.

#include <string>
#include <string_view>
#include <vector>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CINPUTRENAMEDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9005,
                                                 .templateId = 138,
                                                 .caption = "INPUT RENAME",
                                                 .menuId = 32773,
                                                 .menuText = "Show RENAME",
                                                 .buttonId = 1070,
                                                 .buttonLabel = "RENAME",
                                                 .windowName = "RENAME",
                                                 .changeMessages = {change_message::kInputRename},
                                                 .holdCount = 33,
                                                 .holdRule = HoldRule::kCounterOnly};

    static constexpr int kDefaultNameList = 1055;
    static constexpr int kNewNameList = 1056;
    static constexpr int kNameBox = 1057;
    static constexpr int kEnterButton = 1058;
    static constexpr int kDefaultButton = 1148;
    static constexpr int kNameLimit = 8;
    static constexpr std::string_view kMultiChannelName = "MULTI CH";
    // The pause after each name that "Default" announces.
    static constexpr int kDefaultPauseMs = 20;

    explicit CINPUTRENAMEDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    // Whether a typed character (one byte of the edit's UTF-8 text) may stand in a name.
    static bool IsNameCharacter(char c);
    // The characters of `text` that may stand in a name, in order.
    static std::string NameCharacters(std::string_view text);

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnOK() override { Rename(); }
    void OnCommand(int id, unsigned code) override;

private:
    // Lines of both lists: the 13 inputs, then the multi-channel input when the model has one.
    int LineCount() const;
    std::vector<std::string> DefaultNames() const;
    // Stores the name box's text for the selected line and announces it.
    void Rename();
    void RestoreDefaultNames();
    // Removes the characters a name may not hold from what was just typed, caret kept in place.
    void FilterNameBox();
    void SelectLineInBoth(int line);
};

}  // namespace tra1
