#include "panels/dsp_parameter_peers.h"

#include <map>
#include <utility>

#include "panels/panel_dlg.h"
#include "platform/win/event_loop.h"

namespace tra1 {

namespace {

using Key = std::pair<const win::EventLoop*, win::Msg>;

std::map<Key, win::WindowHandle>& OpenPanels() {
    static std::map<Key, win::WindowHandle> open;
    return open;
}

}  // namespace

void DspPanelPeers::Opened(win::EventLoop& loop, win::Msg refreshMessage,
                           win::WindowHandle window) {
    OpenPanels()[Key{&loop, refreshMessage}] = window;
}

void DspPanelPeers::Closed(win::EventLoop& loop, win::Msg refreshMessage,
                           win::WindowHandle window) {
    auto& open = OpenPanels();
    const auto found = open.find(Key{&loop, refreshMessage});
    if (found != open.end() && found->second == window) {
        open.erase(found);
    }
}

bool DspPanelPeers::PostRefresh(win::EventLoop& loop, win::Msg refreshMessage) {
    const auto& open = OpenPanels();
    const auto found = open.find(Key{&loop, refreshMessage});
    if (found == open.end()) {
        return false;
    }
    // Only a live panel of that kind gets it: a stale entry finds nothing.
    const auto* panel = loop.FindAs<PanelDlg>(found->second);
    if (panel == nullptr || panel->RefreshMessage() != refreshMessage) {
        return false;
    }
    return loop.Post(found->second, refreshMessage);
}

void DspPanelPeers::Registration::Open(win::EventLoop& loop, win::Msg refreshMessage,
                                       win::WindowHandle window) {
    loop_ = &loop;
    refreshMessage_ = refreshMessage;
    window_ = window;
    Opened(loop, refreshMessage, window);
}

void DspPanelPeers::Registration::Close() {
    if (loop_ != nullptr) {
        Closed(*loop_, refreshMessage_, window_);
    }
}

}  // namespace tra1
