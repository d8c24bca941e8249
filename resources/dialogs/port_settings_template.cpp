// Dialog 170: the port settings, opened from Connection > "Port Settings...". A line of help,
// then for each of COM1..COM8 its label, an editable combo box with the devices found and a
// note for a number that the environment or the command line overrides for this run.

#include <string>
#include <utility>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/port_settings_ids.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

using namespace port_settings;

constexpr int kFirstRowY = 38;
constexpr int kRowStep = 18;

}  // namespace

DialogTemplate MakePortSettingsTemplate() {
    DialogTemplate t;
    t.id = kTemplateId;
    t.caption = "Port Settings";
    t.cx = 470;
    t.cy = kFirstRowY + kPorts * kRowStep + 24;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kCenter;

    t.controls.push_back(MakeControl(
        kHelpText, ControlKind::kStatic,
        "Each COM number leads to a serial device of this computer, or to a serial server on the "
        "network: socket://HOST:PORT (raw TCP) or rfc2217://HOST:PORT (Telnet, RFC 2217). Leave a "
        "number empty and AUTO skips it. TRA1_COMn or --port COMn=... override a number for one "
        "run. Changes take effect at the next Connect.",
        style::kNone, 7, 6, 456, 26));
    for (int n = 1; n <= kPorts; ++n) {
        const int y = kFirstRowY + (n - 1) * kRowStep;
        t.controls.push_back(MakeControl(-1, ControlKind::kStatic, "COM" + std::to_string(n),
                                         style::kNone, 7, y + 3, 24, 8));
        t.controls.push_back(
            MakeControl(TargetCombo(n), ControlKind::kComboBox, "",
                        style::kDropDown | style::kTabStop | style::kVScroll | style::kAutoHScroll,
                        33, y, 225, 120));
        t.controls.push_back(MakeControl(OverrideNote(n), ControlKind::kStatic, "", style::kNone,
                                         264, y + 3, 199, 8));
    }
    const int buttons = kFirstRowY + kPorts * kRowStep + 4;
    t.controls.push_back(MakeControl(kFindDevicesButton, ControlKind::kPushButton, "&Find Devices",
                                     style::kTabStop, 7, buttons, 60, 14));
    t.controls.push_back(MakeControl(1 /* IDOK */, ControlKind::kDefPushButton, "OK",
                                     style::kTabStop, 356, buttons, 50, 14));
    t.controls.push_back(MakeControl(2 /* IDCANCEL */, ControlKind::kPushButton, "Cancel",
                                     style::kTabStop, 413, buttons, 50, 14));
    return t;
}

}  // namespace tra1::res
