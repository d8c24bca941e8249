#include "app/named_controls.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "app/volume_text.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace mz = main_zone;

constexpr std::string_view kPower = "power";
constexpr std::string_view kInput = "input";
constexpr std::string_view kVolume = "volume";
constexpr std::string_view kMute = "mute";
constexpr std::string_view kProgram = "program";
constexpr std::string_view kMuteText = "MUTE";

// Half-decibel steps of the volume: step 1 is -80.0 dB, kMaxStep +16.5 dB.
constexpr double kStepsPerDb = 2.0;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Listed(const std::vector<std::string_view>& names) {
    std::string text;
    for (const std::string_view name : names) {
        text += text.empty() ? "" : ", ";
        text += name;
    }
    return text;
}

ControlChoice Invalid(std::string_view key, std::string_view value, std::string_view valid) {
    return {std::nullopt, "'" + std::string(value) + "' is not a " + std::string(key) +
                              "; valid: " + std::string(valid)};
}

std::optional<int> OnOff(std::string_view value) {
    if (SameIgnoringCase(value, "on")) {
        return 1;
    }
    if (SameIgnoringCase(value, "off")) {
        return 0;
    }
    return std::nullopt;
}

std::vector<std::string_view> InputNames() {
    std::vector<std::string_view> names;
    for (int input = 0; input <= ModelProfile::kHighestInput; ++input) {
        names.push_back(ModelProfile::InputName(input));
    }
    return names;
}

std::vector<std::string_view> ProgramNames() {
    std::vector<std::string_view> names;
    for (int program = 0; program <= ModelProfile::kHighestProgram; ++program) {
        names.push_back(ModelProfile::ProgramName(program));
    }
    return names;
}

std::optional<int> IndexOf(const std::vector<std::string_view>& names, std::string_view value) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameIgnoringCase(names[i], value)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

// The volume step of "-35.5", "-35.5dB", "-35.5 dB" or "MUTE".
std::optional<int> VolumeStep(std::string_view value) {
    if (SameIgnoringCase(value, kMuteText)) {
        return 0;
    }
    std::string number(value);
    if (number.size() > 2 &&
        SameIgnoringCase(std::string_view(number).substr(number.size() - 2), "db")) {
        number.resize(number.size() - 2);
    }
    while (!number.empty() && number.back() == ' ') {
        number.pop_back();
    }
    if (!number.empty() && number.front() == '+') {
        number.erase(0, 1);
    }
    double db = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), db);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    const double steps = db * kStepsPerDb;
    if (!std::isfinite(steps) || std::fabs(steps - std::round(steps)) > 1e-9) {
        return std::nullopt;
    }
    const int step = volume::kZeroDbStep + static_cast<int>(std::lround(steps));
    if (step < 1 || step > volume::kMaxStep) {
        return std::nullopt;
    }
    return step;
}

ControlChoice Choose(int commandNumber, int value, std::optional<std::size_t> byte, int expected) {
    return {ControlSetting{commandNumber, value, byte, expected}, {}};
}

}  // namespace

std::vector<std::string_view> ControlNames(bool zone2) {
    if (zone2) {
        return {kPower, kInput, kVolume, kMute};
    }
    return {kPower, kInput, kVolume, kMute, kProgram};
}

ControlChoice ChooseControl(bool zone2, std::string_view key, std::string_view value) {
    const std::string_view zone = zone2 ? "zone 2 " : "";
    if (SameIgnoringCase(key, kPower) || SameIgnoringCase(key, kMute)) {
        const auto on = OnOff(value);
        if (!on) {
            return Invalid(std::string(zone) + std::string(key), value, "on, off");
        }
        if (SameIgnoringCase(key, kPower)) {
            // The main zone's power is the receiver's own (standby); zone 2 has its switch.
            return zone2 ? Choose(command::kZone2Power, *on, std::nullopt, 0)
                         : Choose(command::kPower, *on, mz::kPower, *on);
        }
        return zone2 ? Choose(command::kZone2Mute, *on, mz::kZone2Mute, *on)
                     : Choose(command::kMainMute, *on, mz::kMainMute, *on);
    }
    if (SameIgnoringCase(key, kInput)) {
        const auto names = InputNames();
        const auto input = IndexOf(names, value);
        if (!input) {
            return Invalid(std::string(zone) + "input", value, Listed(names));
        }
        return zone2 ? Choose(command::kZone2Input, *input, mz::kZone2Input, *input)
                     : Choose(command::kMainInput, *input, mz::kMainInput, *input);
    }
    if (SameIgnoringCase(key, kVolume)) {
        const auto step = VolumeStep(value);
        if (!step) {
            return Invalid(std::string(zone) + "volume", value,
                           "MUTE or -80.0 .. 16.5 (dB) in steps of 0.5");
        }
        return zone2 ? Choose(command::kZone2Volume, *step, mz::kZone2Volume, *step)
                     : Choose(command::kMainVolume, *step, mz::kMainVolume, *step);
    }
    if (!zone2 && SameIgnoringCase(key, kProgram)) {
        const auto names = ProgramNames();
        const auto program = IndexOf(names, value);
        if (!program) {
            return Invalid("program", value, Listed(names));
        }
        return Choose(command::kProgram, *program, mz::kCurrentProgram, *program);
    }
    return {std::nullopt, "'" + std::string(key) + "' is not a " + std::string(zone) +
                              "control; valid: " + Listed(ControlNames(zone2))};
}

}  // namespace tra1
