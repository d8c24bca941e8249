#pragma once
// Shared pieces of the Qt front-end tests: the one QApplication, a recording dialog and a test
// template with one control of each interactive kind.

#include <QWidget>
#include <string>
#include <vector>

#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"

namespace tra1::qtui::testing {

// Checks that the QApplication of qt_test_main.cpp exists (tests run under
// QT_QPA_PLATFORM=offscreen).
void EnsureQtApp();
// Runs Qt's posted events (queued connections, deferred deletes) until none are left.
void FlushQtEvents();

// Ids of the test dialog and its controls.
inline constexpr int kTestDialog = 9100;
inline constexpr int kSlider = 10;
inline constexpr int kVerticalSlider = 11;
inline constexpr int kCombo = 12;
inline constexpr int kCheck = 13;
inline constexpr int kRadioA = 14;
inline constexpr int kRadioB = 15;
inline constexpr int kEdit = 16;
inline constexpr int kList = 17;
inline constexpr int kPush = 18;
inline constexpr int kReadout = 19;
inline constexpr int kMenuCommand = 40001;
// Registers the test dialog template (and its menu) with the resource registry.
void RegisterTestTemplates();

// What reached a dialog from its controls, in order.
struct Notification {
    enum class Kind { kCommand, kNotify, kScroll, kMouse } kind;
    int id;
    long long code;    // command/notify code, scroll code, 1/0 for press/release
    int position = 0;  // scroll position
    friend bool operator==(const Notification&, const Notification&) = default;
};

class RecordingDialog : public win::Dialog {
public:
    RecordingDialog(win::EventLoop& loop, int templateId) : Dialog(loop, templateId) {}
    std::vector<Notification> seen;
    std::vector<unsigned> systemCommands;

    int Count(Notification::Kind kind, int id, long long code) const;

protected:
    void OnCommand(int id, unsigned code) override;
    void OnNotify(int id, win::LParam code) override;
    void OnScroll(int id, unsigned code, int position) override;
    void OnControlMouse(int id, bool pressed) override;
    void OnSysCommand(unsigned command) override;
};

}  // namespace tra1::qtui::testing
