#pragma once
// A dialog for tests that writes down every notification it receives, and a template with one
// control of each kind.

#include <string>
#include <vector>

#include "platform/win/dialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/event_loop.h"

namespace tra1::win::testing {

// Control ids of the test template.
inline constexpr int kTestDialogId = 9001;
inline constexpr int kSliderId = 1001;
inline constexpr int kVerticalSliderId = 1002;
inline constexpr int kComboId = 1003;
inline constexpr int kListId = 1004;
inline constexpr int kPushId = 1005;
inline constexpr int kCheckId = 1006;
inline constexpr int kRadioA = 1007;
inline constexpr int kRadioB = 1008;
inline constexpr int kRadioC = 1009;
inline constexpr int kEditId = 1010;
inline constexpr int kMemoId = 1011;
inline constexpr int kLabelId = 1012;
inline constexpr int kProgressId = 1013;
inline constexpr int kHiddenId = 1014;
inline constexpr int kOtherRadio = 1015;

// Registers (again) the test template and returns its id.
int RegisterTestTemplate();

struct Event {
    std::string what;  // "command", "notify", "scroll", "mouse", "key", "ok", "cancel", "init"
    int id = 0;
    long long code = 0;
    friend bool operator==(const Event&, const Event&) = default;
};

class RecordingDialog : public Dialog {
public:
    explicit RecordingDialog(EventLoop& loop, int templateId = kTestDialogId)
        : Dialog(loop, templateId) {}

    std::vector<Event> events;
    bool closeOnOk = true;
    bool destroyOnCancel = false;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id, unsigned code) override;
    void OnNotify(int id, LParam code) override;
    void OnScroll(int id, unsigned code, int position) override;
    void OnControlMouse(int id, bool pressed) override;
    void OnKeyDown(unsigned key) override;
};

}  // namespace tra1::win::testing
