#pragma once
// The About box (dialog 100): the program's icon, its title and OK. Opened modally from the main
// window's system menu.

#include "platform/win/dialog.h"

namespace tra1 {

class CAboutDlg final : public win::Dialog {
public:
    static constexpr int kTemplateId = 100;
    explicit CAboutDlg(win::EventLoop& loop) : Dialog(loop, kTemplateId) {}

protected:
    bool OnInitDialog() override;
};

}  // namespace tra1
