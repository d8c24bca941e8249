#pragma once

namespace tra1 {

// The value tables that turn a digit reported in a configuration frame into the image value.
namespace receiver_table {
inline constexpr int kInput = 33;       // main input, multi-channel input
inline constexpr int kInputMode = 34;   // reported as 0, 2, 4
inline constexpr int kMute = 35;        // main mute
inline constexpr int kZone2Input = 36;  // zone 2 input
inline constexpr int kZone2Mute = 37;   // zone 2 mute
inline constexpr int kProgram = 40;     // receiver program code -> program index
inline constexpr int kExEs = 45;        // EX/ES and matrix decoder
inline constexpr int kTriggerMode = 58;
inline constexpr int kSpeakerBSet = 62;
}  // namespace receiver_table

// Maps a reported code to an image value with one of the tables above. Tables and codes a table
// does not list give the code itself.
int ReceiverValue(int table, int code);

}  // namespace tra1
