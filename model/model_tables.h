#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The TR-A1's long fixed tables, kept apart from the profile's logic.
namespace tra1::tables {

extern const std::array<std::string_view, 38> kProgramNames;
extern const std::array<std::string_view, 42> kParameterNames;
// Receiver program code of each program index (34 and 35 are crossed: 53 and 52).
extern const std::array<std::uint8_t, 38> kProgramCodes;
extern const std::array<std::array<std::uint8_t, 42>, 38> kDefaultParameters;

}  // namespace tra1::tables
