#pragma once
// The groups of extended requests that both the upload and the realtime poll send.

namespace tra1 {

class TransferOutput;

namespace transfer_request {

// What the receiver is asked for: input names 0..12 and the multi-channel input, the input
// trims of the same inputs, the distances the speaker distance requests cover, the inputs of a
// DC trigger row.
inline constexpr int kNameCount = 14;
inline constexpr int kTrimCount = 14;
inline constexpr int kDistanceCount = 12;
inline constexpr int kTriggerInputs = 13;

// Every jack of every I/O assignment group.
void IoAssignments(TransferOutput& out);
// The four tone pairs.
void Tone(TransferOutput& out);
// The picture-mode records.
void PictureModes(TransferOutput& out);
// The speaker distances.
void Distances(TransferOutput& out);
// Page 0: the current station; pages 1..5: their eight presets.
void TunerPage(TransferOutput& out, int page);

}  // namespace transfer_request
}  // namespace tra1
