#include "platform/qt/qt_port_settings_store.h"

#include <QSettings>
#include <memory>

#include "platform/qt/qt_text.h"

namespace tra1::qtui {
namespace {

QString KeyOf(int port) {
    return QStringLiteral("ports/COM%1").arg(port);
}

std::unique_ptr<QSettings> Open(const QString& fileName) {
    if (fileName.isEmpty()) {
        // The program's settings file, named by the application's organisation and name.
        return std::make_unique<QSettings>();
    }
    return std::make_unique<QSettings>(fileName, QSettings::IniFormat);
}

}  // namespace

QtPortSettingsStore::QtPortSettingsStore() = default;

QtPortSettingsStore::QtPortSettingsStore(QString fileName) : fileName_(std::move(fileName)) {}

QString QtPortSettingsStore::FileName() const {
    return Open(fileName_)->fileName();
}

std::optional<std::string> QtPortSettingsStore::Load(int port) const {
    const auto settings = Open(fileName_);
    const QVariant value = settings->value(KeyOf(port));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return FromQString(value.toString());
}

bool QtPortSettingsStore::Save(const serial::ComPortMap& map) {
    const auto settings = Open(fileName_);
    for (int port = serial::kFirstComPort; port <= serial::kLastComPort; ++port) {
        if (const auto stored = map.Stored(port)) {
            settings->setValue(KeyOf(port), ToQString(*stored));
        } else {
            settings->remove(KeyOf(port));
        }
    }
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace tra1::qtui
