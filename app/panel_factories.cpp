#include "app/panel_factories.h"

#include <functional>
#include <utility>

#include "panels/panel_catalog.h"
#include "panels/panel_context.h"
#include "panels/panel_dlg.h"

namespace tra1 {

std::size_t InstallPanelFactories(PanelTable& table, const PanelContext& context) {
    std::size_t installed = 0;
    const auto& infos = PanelInfos();
    for (std::size_t index = 0; index < infos.size(); ++index) {
        const win::Msg refresh = infos[index].refreshMessage;
        if (PanelCatalog::Find(refresh) == nullptr) {
            continue;
        }
        // The opener owns the open panel and frees it through the loop when it closes.
        PanelOpener opener = PanelCatalog::MakeOpener(refresh, context);
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
