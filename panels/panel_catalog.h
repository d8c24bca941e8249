#pragma once
// The registry of setting panels. Each panel unit registers its creator under its refresh
// message with a static registrar object in its .cpp:
//
//   const PanelRegistrar kRegistrar(CDELAYDlg::kSpec.refreshMessage, &CreatePanel<CDELAYDlg>);
//
// (the application links tra1_panels whole, so every registrar runs). The main window builds the
// factories of its panel table from the catalogue: for each refresh message, an opener that
// creates the panel, keeps it while it is open and frees it through the loop when it closes.

#include <functional>
#include <memory>
#include <vector>

#include "panels/panel_context.h"
#include "panels/panel_dlg.h"
#include "platform/win/message.h"

namespace tra1 {

// Creates a panel's window (not shown) from the context; `onClosed` runs once its window is
// gone. Returns null when the window could not be created.
using PanelCreator = std::function<std::unique_ptr<PanelDlg>(const PanelContext& context,
                                                             std::function<void()> onClosed)>;

// Opens one panel at a time and owns it while it is open. Returns the new panel, or null when
// it could not be created (or no creator is registered).
using PanelOpener = std::function<PanelDlg*(std::function<void()> onClosed)>;

class PanelCatalog {
public:
    // False (and nothing changed) when the message already has a creator or the creator is
    // empty.
    static bool Register(win::Msg refreshMessage, PanelCreator creator);
    // The creator registered under the message, or nullptr.
    static const PanelCreator* Find(win::Msg refreshMessage);
    // Every registered refresh message, in ascending order.
    static std::vector<win::Msg> RegisteredMessages();

    // An opener for the panel of `refreshMessage`. The opener owns the panel it made last: when
    // that panel's window is destroyed, it calls `onClosed` and hands the object to the loop's
    // DeleteLater; when the opener itself goes first (the main window closing), the panel goes
    // with it. `context` is copied.
    static PanelOpener MakeOpener(win::Msg refreshMessage, const PanelContext& context);
};

// A static object in each panel unit registers the panel when the program starts.
struct PanelRegistrar {
    PanelRegistrar(win::Msg refreshMessage, PanelCreator creator);
};

}  // namespace tra1
