#pragma once
// The editor's port settings read from its settings file without Qt: the [ports] section of the
// INI file that the editor's QSettings keeps ("COM1=/dev/ttyUSB0", one key per number). A
// program without windows (tr-a1ctl) leads COMn where the editor does; it never writes them.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/serial/port_settings_store.h"
#include "platform/serial/serial_port.h"

namespace tra1::serial {

class IniPortSettingsStore final : public PortSettingsStore {
public:
    explicit IniPortSettingsStore(std::string fileName) : fileName_(std::move(fileName)) {}

    // The [ports] key COMn: nullopt when the file or the key is missing.
    std::optional<std::string> Load(int port) const override;
    // Read-only: always false, nothing is written.
    bool Save(const ComPortMap& map) override;

    // The value text of one INI line as QSettings writes it: blanks around it dropped, a
    // quoted value unquoted with its backslash escapes resolved.
    static std::string ValueOf(std::string_view raw);

private:
    std::string fileName_;
};

}  // namespace tra1::serial
