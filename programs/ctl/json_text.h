#pragma once
// JSON texts for tr-a1ctl's --json output.

#include <string>
#include <string_view>

namespace tra1::programs {

// `text` as a JSON string, quotes included; control characters escaped.
std::string JsonString(std::string_view text);

}  // namespace tra1::programs
