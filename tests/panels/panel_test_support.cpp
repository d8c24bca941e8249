#include "tests/panels/panel_test_support.h"

#include <utility>

namespace tra1::test {

std::vector<Message> MainWindowStub::Take() {
    return std::exchange(received, {});
}

win::LResult MainWindowStub::OnMessage(win::Msg msg, win::WParam w, win::LParam l) {
    received.push_back({msg, w, l});
    if (onMessage) {
        onMessage();
    }
    return reply;
}

void ChangeCounter::ControlChanged(win::Control& /*control*/, win::ControlChange /*change*/) {
    ++changes;
}

}  // namespace tra1::test
