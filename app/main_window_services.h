#pragma once

#include <string>

namespace tra1 {

// What the receiver link asks of the main window beyond the link itself.
class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    // The image may have changed: the main window reloads its controls (posting its own refresh
    // message), then every open panel gets its hold counter reset and its refresh message.
    virtual void RefreshPanels() = 0;
    // The receiver's report was decoded into the image: the same refresh, but every panel keeps
    // its hold counter, so that a report still carrying the value from before the user's change
    // does not move the control back while the change is on its way.
    virtual void RefreshPanelsKeepingHolds() = 0;
    // The whole image may have changed (the receiver identified itself): every control of the
    // main window is filled again and the panels are refreshed.
    virtual void ReloadWindows() = 0;
    // The link gave up waiting for a reply that a transfer step awaited.
    virtual void ReplyGivenUp() = 0;
    // The line went away: a running transfer stops at once, without sending anything. Returns
    // what that means for the data, for the message about the lost line; empty when no
    // transfer ran.
    virtual std::string StopTransferForLostLine() = 0;
    // One step of the configuration upload, the download, or the realtime poll.
    virtual void UploadStep() = 0;
    virtual void DownloadStep() = 0;
    virtual void RealtimeStep() = 0;
    // The link left realtime mode on its own (the far end hung up): the menu follows.
    virtual void ControlModeChanged() = 0;
    // The receiver refused a write of extended function `function` (the log has the details).
    virtual void ChangeRefused(int /*function*/) {}
};

}  // namespace tra1
