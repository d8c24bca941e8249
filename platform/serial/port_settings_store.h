#pragma once

#include <optional>
#include <string>

#include "platform/serial/com_port_map.h"

namespace tra1::serial {

// Where the user's port settings are kept between runs. The Qt front end keeps them with
// QSettings in the user's configuration folder; tests keep them in memory.
class PortSettingsStore {
public:
    virtual ~PortSettingsStore() = default;
    // The stored target of COMn: nullopt when the settings never mention it, "" for nothing.
    virtual std::optional<std::string> Load(int port) const = 0;
    // Stores every number's setting of the map at once; false when they could not be written.
    virtual bool Save(const ComPortMap& map) = 0;
};

// Fills the map's stored layer from the store.
inline void LoadPortSettings(const PortSettingsStore& store, ComPortMap& map) {
    for (int port = kFirstComPort; port <= kLastComPort; ++port) {
        map.SetStored(port, store.Load(port));
    }
}

}  // namespace tra1::serial
