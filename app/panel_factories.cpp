#include "app/panel_factories.h"

#include <functional>
#include <utility>

#include "panels/panel_context.h"
#include "panels/panel_dlg.h"
#include "panels/panel_list.h"
#include "panels/panel_opener.h"

namespace tra1 {

std::size_t InstallPanelFactories(PanelTable& table, const PanelContext& context) {
    std::size_t installed = 0;
    for (const PanelEntry& entry : SettingPanels()) {
        const std::size_t index = PanelTable::IndexForRefresh(entry.descriptor->refreshMessage);
        // The opener owns the open panel and frees it through the loop when it closes.
        PanelOpener opener = MakePanelOpener(entry.create, context);
        table.SetFactory(index, [opener = std::move(opener)](std::function<void()> onClosed) {
            PanelDlg* panel = opener(std::move(onClosed));
            if (panel == nullptr) {
                return OpenPanel{};
            }
            // The table calls this only while the panel is open.
            return OpenPanel{panel, [panel] { panel->ResetHoldCounter(); }};
        });
        ++installed;
    }
    return installed;
}

}  // namespace tra1
