#pragma once
// The Port Settings dialog (170): maps each of COM1..COM8 to a device or a serial server.
// Each row offers the serial devices found (stable names first) in its list, takes a typed
// path or URL, and shows what overrides the number for this run. OK checks every entry, keeps
// the mapping in the port map and the user's settings; a mapping that is neither a device
// path nor a server URL keeps the dialog open with a message naming the number.

#include <string>
#include <vector>

#include "app/port_settings.h"
#include "platform/win/dialog.h"
#include "resources/port_settings_ids.h"

namespace tra1 {

class CPORTSETTINGSDlg final : public win::Dialog {
public:
    static constexpr int kTemplateId = port_settings::kTemplateId;

    CPORTSETTINGSDlg(win::EventLoop& loop, PortSettings settings);

    // The item text a device is offered with: its path, then what it is.
    static std::string ItemText(const serial::SerialDeviceInfo& device);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, unsigned code) override;
    void OnOK() override;

private:
    // Fills every row's list with the devices present, keeping what the rows say.
    void FindDevices();
    void ShowOverrides();

    PortSettings settings_;
    std::vector<serial::SerialDeviceInfo> devices_;
};

}  // namespace tra1
