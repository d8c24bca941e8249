#pragma once
// The list of every setting panel: its descriptor and how to create it, in refresh-message
// order. The main window builds its panel table from this list; a new panel is one more line in
// panel_list.cpp.

#include <cstddef>
#include <span>

#include "panels/panel_descriptor.h"
#include "panels/panel_opener.h"
#include "platform/win/message.h"

namespace tra1 {

struct PanelEntry {
    const PanelDescriptor* descriptor = nullptr;
    PanelCreator create = nullptr;
};

inline constexpr std::size_t kSettingPanelCount = 21;

// Every setting panel, in ascending refresh message.
std::span<const PanelEntry> SettingPanels();
// The setting panel of this refresh message, or nullptr.
const PanelEntry* FindSettingPanel(win::Msg refreshMessage);

}  // namespace tra1
