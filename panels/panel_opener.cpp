#include "panels/panel_opener.h"

#include <utility>

#include "platform/win/event_loop.h"

namespace tra1 {

PanelOpener MakePanelOpener(PanelCreator creator, const PanelContext& context) {
    // The opener holds the open panel in a shared slot; the panel's destroyed callback looks at
    // the slot weakly, so the two do not keep each other alive.
    auto slot = std::make_shared<std::unique_ptr<PanelDlg>>();
    return [creator, context, slot](std::function<void()> onClosed) -> PanelDlg* {
        if (creator == nullptr) {
            return nullptr;
        }
        win::EventLoop& loop = context.loop;
        auto holder = std::make_shared<PanelDlg*>(nullptr);
        auto panel = creator(
            context, [&loop, weak = std::weak_ptr(slot), holder, onClosed = std::move(onClosed)] {
                if (onClosed) {
                    onClosed();
                }
                if (auto owner = weak.lock(); owner && *owner && owner->get() == *holder) {
                    loop.DeleteLater(std::move(*owner));
                }
            });
        if (!panel || !panel->IsWindow()) {
            return nullptr;
        }
        *holder = panel.get();
        // A panel made earlier that is still open stays the caller's business: the table opens
        // a panel only while the earlier one is closed, and a closed one is in DeleteLater.
        if (*slot) {
            loop.DeleteLater(std::move(*slot));
        }
        *slot = std::move(panel);
        return slot->get();
    };
}

}  // namespace tra1
