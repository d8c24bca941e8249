#pragma once

#include <string_view>

namespace tra1 {

// The identification steps that run for every configuration frame before its state is decoded
// (the connector: log line, queue answer, model check, identification dialog).
class ConfigurationGate {
public:
    virtual ~ConfigurationGate() = default;

    // True when the frame goes on to DecodeConfiguration.
    virtual bool OnConfigurationFrame(std::string_view body) = 0;
};

}  // namespace tra1
