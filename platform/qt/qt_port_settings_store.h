#pragma once

#include <QString>

#include "platform/serial/port_settings_store.h"

namespace tra1::qtui {

// The user's port settings in the editor's QSettings file (the program names it:
// ~/.config/tr-a1-editor/tr-a1-editor.conf, or under $XDG_CONFIG_HOME), one key per COM number
// under [ports]. A number the file does not name keeps its default; an empty value maps it to
// nothing.
class QtPortSettingsStore final : public serial::PortSettingsStore {
public:
    // The program's own settings file (after QCoreApplication has its names).
    QtPortSettingsStore();
    // A settings file of the caller's choosing (tests).
    explicit QtPortSettingsStore(QString fileName);

    std::optional<std::string> Load(int port) const override;
    bool Save(const serial::ComPortMap& map) override;

    // The file the settings are kept in.
    QString FileName() const;

private:
    QString fileName_;  // empty: the program's own
};

}  // namespace tra1::qtui
