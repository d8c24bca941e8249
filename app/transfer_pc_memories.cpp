#include "app/transfer_pc_memories.h"

#include <cstddef>

#include "model/receiver_image.h"

namespace tra1 {
namespace {

bool IsEntry(int entry) {
    return entry >= 0 && entry < kPresetEntryCount;
}

}  // namespace

bool StorePcMemories(ReceiverImage& image, int entry) {
    if (!IsEntry(entry)) {
        return false;
    }
    const auto slot = static_cast<std::size_t>(entry);
    image.StoreHomePreset(entry);
    image.MainVolumeMemories.at(slot) = image.MainZoneState.at(main_zone::kMainVolume);
    image.Zone2VolumeMemories.at(slot) = image.MainZoneState.at(main_zone::kZone2Volume);
    return true;
}

bool RecallPcMemories(ReceiverImage& image, int entry) {
    if (!IsEntry(entry)) {
        return false;
    }
    const auto slot = static_cast<std::size_t>(entry);
    image.RecallHomePreset(entry);
    // The recall gives the main input the memory's program; the current program is a copy of the
    // main input's program byte, as on the receiver once the memory is recalled there.
    auto& zone = image.MainZoneState;
    zone.at(main_zone::kCurrentProgram) = image.InputProgramByte(zone.at(main_zone::kMainInput));
    image.MainZoneState.at(main_zone::kMainVolume) = image.MainVolumeMemories.at(slot);
    image.MainZoneState.at(main_zone::kZone2Volume) = image.Zone2VolumeMemories.at(slot);
    return true;
}

}  // namespace tra1
