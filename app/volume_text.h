#pragma once

#include <string>

namespace tra1 {

// Volume steps as the main window shows them. A step is 0..194: 0 is "MUTE", 161 is 0.0 dB,
// one step is 0.5 dB. The volume track bars stand upside down: position = 194 - step.
namespace volume {
inline constexpr int kMaxStep = 194;
inline constexpr int kZeroDbStep = 161;
// Page Up / Page Down and clicks beside the thumb: 1 dB on the main volume, 5 dB on zone 2.
inline constexpr int kMainPageSize = 2;
inline constexpr int kZone2PageSize = 10;

constexpr int PositionOf(int step) {
    return kMaxStep - step;
}
constexpr int StepOf(int position) {
    return kMaxStep - position;
}

// Main zone read-out: "MUTE"; "-40.0 dB" for negative levels; "0.0dB", "16.5dB" otherwise.
std::string MainReadout(int step);
// Zone 2 read-out: "MUTE"; "-40.0 dB"; "0.0 dB", "16.5 dB" (always with a blank).
std::string Zone2Readout(int step);
// Zone 2 read-out while ZONE2 OUT is "FIX" and ZONE2 AMP is "EXT".
inline constexpr const char* kFixedText = "FIX";
}  // namespace volume

}  // namespace tra1
