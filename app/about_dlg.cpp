#include "app/about_dlg.h"

#include "resources/icon_ids.h"

namespace tra1 {

bool CAboutDlg::OnInitDialog() {
    SetIcon(res::kIconProgram, true);
    SetIcon(res::kIconProgram, false);
    CenterWindow(Parent());
    return true;
}

}  // namespace tra1
