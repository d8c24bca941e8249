#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "model/receiver_image.h"

namespace tra1::sim {

// Everything the virtual receiver remembers. Its settings live in its own ReceiverImage, laid
// out like the editor's so that tests can compare the two directly; what the image has no room
// for (power, zone 2 power, the preset memories, DSP sub-parameters) sits beside it.
struct ReceiverState {
    static constexpr std::size_t kMemoryCount = 6;

    ReceiverImage image;
    bool power = true;
    bool zone2Power = true;
    // The receiver's own volume code for command 52 (no other place reports it).
    std::uint8_t volume52 = 0;
    // Home preset memories 1..6 (commands 27/28): the records live in the image's own
    // HomePresetMemories block, laid out as the editor's PC memories are; a memory never stored
    // recalls nothing.
    std::array<bool, kMemoryCount> homePresetStored{};
    // Volume memories (commands 29..32): volume steps.
    std::array<std::optional<std::uint8_t>, kMemoryCount> mainVolumeMemories{};
    std::array<std::optional<std::uint8_t>, kMemoryCount> zone2VolumeMemories{};
    // DSP parameters as the extended functions address them: (program code, parameter number,
    // sub-digit). An entry that was never written answers from the image's parameter table.
    std::map<std::tuple<int, int, int>, std::uint8_t> dspParameters;
};

}  // namespace tra1::sim
