#pragma once
// The auxiliary tick: an invisible modeless dialog (template 163) whose one timer sends message
// 0xA500 to its owner, the main window, on every tick. The main window drives its transfer
// sequences and the command waiting counter from it.
//
//   CAUXTIMERDlg aux(loop);
//   if (!aux.Create(mainWindow.Handle())) { /* "Dialog Creating Error\r\nAUX Timer" */ }
//   aux.SetTimerId(1);
//   aux.SetPeriod(10);
//   aux.Start();

#include <cstdint>

#include "platform/win/dialog.h"

namespace tra1 {

class CAUXTIMERDlg : public win::Dialog {
public:
    static constexpr int kTemplateId = 163;
    // Sent (not posted) to the owner on every tick, both parameters 0.
    static constexpr win::Msg kTickMessage = 0xA500;

    explicit CAUXTIMERDlg(win::EventLoop& loop);
    ~CAUXTIMERDlg() override;

    // Store the timer id / period in ms; only while the timer is not running (false otherwise).
    bool SetTimerId(int id);
    bool SetPeriod(int ms);
    // Starts the timer when id and period are both set, the window exists and it is not
    // already running. True when it started.
    bool Start();
    // Stops the running timer, if any.
    void Stop();

    int TickTimerId() const { return timerId_; }
    int Period() const { return periodMs_; }
    bool IsRunning() const { return running_ != 0; }

protected:
    bool OnInitDialog() override;
    void OnTimer(win::TimerId id) override;
    void OnDestroy() override;
    // Nobody can see this window to cancel it.
    void OnCancel() override {}
    void OnOK() override {}

private:
    win::WindowHandle owner_;
    int timerId_ = 0;
    int periodMs_ = 0;
    int running_ = 0;  // the id of the running timer; 0 = not running
};

}  // namespace tra1
