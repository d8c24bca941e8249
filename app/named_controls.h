#pragma once
// The main-zone and zone 2 controls by the names and values the editor shows, for a program
// that changes them by name (tr-a1ctl set): which command a setting sends with which value,
// and which MainZoneState byte shows afterwards whether the receiver took it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tra1 {

struct ControlSetting {
    int commandNumber = 0;
    int value = 0;
    // The MainZoneState byte the receiver's next report fills with `expected`; none for a
    // control whose state the receiver does not report.
    std::optional<std::size_t> reportedByte;
    int expected = 0;
};

struct ControlChoice {
    std::optional<ControlSetting> setting;
    // Why there is none: the name or the value is not one the receiver has, with the valid
    // ones listed.
    std::string error;
};

// `zone2` false: power, input, volume, mute, program; true: power, input, volume, mute of
// zone 2. Names and values are compared without regard to case; a volume is in dB, -80.0 ..
// 16.5 in steps of 0.5 ("-35.5", "-35.5dB" or "-35.5 dB"), or MUTE.
ControlChoice ChooseControl(bool zone2, std::string_view key, std::string_view value);

// The control names of a zone, in the order of the help text.
std::vector<std::string_view> ControlNames(bool zone2);

}  // namespace tra1
