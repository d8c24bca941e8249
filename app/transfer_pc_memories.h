#pragma once

namespace tra1 {

class ReceiverImage;

// The PC memories of one preset entry A..F (0..5) as a "Preset Setting" transfer uses them: the
// HOME PRESET record and the main and zone 2 volume memories. An entry outside 0..5 does
// nothing and gives false.

// The live image into the entry's memories.
bool StorePcMemories(ReceiverImage& image, int entry);
// The entry's memories back into the live image, the current program following the main
// input's. Nothing is sent or refreshed.
bool RecallPcMemories(ReceiverImage& image, int entry);

inline constexpr int kPresetEntryCount = 6;

}  // namespace tra1
