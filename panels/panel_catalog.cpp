#include "panels/panel_catalog.h"

#include <map>
#include <utility>

#include "platform/win/event_loop.h"

namespace tra1 {

namespace {

// Built on first use, so registrars of any unit may run before or after this one's statics.
std::map<win::Msg, PanelCreator>& Registry() {
    static std::map<win::Msg, PanelCreator> registry;
    return registry;
}

}  // namespace

bool PanelCatalog::Register(win::Msg refreshMessage, PanelCreator creator) {
    if (!creator) {
        return false;
    }
    return Registry().emplace(refreshMessage, std::move(creator)).second;
}

const PanelCreator* PanelCatalog::Find(win::Msg refreshMessage) {
    const auto& registry = Registry();
    const auto found = registry.find(refreshMessage);
    return found == registry.end() ? nullptr : &found->second;
}

std::vector<win::Msg> PanelCatalog::RegisteredMessages() {
    std::vector<win::Msg> messages;
    for (const auto& [message, creator] : Registry()) {
        messages.push_back(message);
    }
    return messages;
}

PanelOpener PanelCatalog::MakeOpener(win::Msg refreshMessage, const PanelContext& context) {
    // The opener holds the open panel in a shared slot; the panel's destroyed callback looks at
    // the slot weakly, so the two do not keep each other alive.
    auto slot = std::make_shared<std::unique_ptr<PanelDlg>>();
    return [refreshMessage, context, slot](std::function<void()> onClosed) -> PanelDlg* {
        const PanelCreator* creator = Find(refreshMessage);
        if (creator == nullptr) {
            return nullptr;
        }
        win::EventLoop& loop = context.loop;
        auto holder = std::make_shared<PanelDlg*>(nullptr);
        auto panel = (*creator)(
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

PanelRegistrar::PanelRegistrar(win::Msg refreshMessage, PanelCreator creator) {
    PanelCatalog::Register(refreshMessage, std::move(creator));
}

}  // namespace tra1
