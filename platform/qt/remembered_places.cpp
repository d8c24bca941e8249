#include "platform/qt/remembered_places.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <utility>

namespace tra1::qtui {

namespace {

QString GeometryKey(int templateId) {
    return QStringLiteral("windows/dialog%1/geometry").arg(templateId);
}

const QString kFileDialogFolderKey = QStringLiteral("fileDialogs/folder");

}  // namespace

RememberedPlaces::RememberedPlaces(QSettings& settings, std::set<int> windows)
    : settings_(settings), windows_(std::move(windows)) {}

QByteArray RememberedPlaces::WindowGeometry(int templateId) const {
    if (!RemembersWindow(templateId)) {
        return {};
    }
    return settings_.value(GeometryKey(templateId)).toByteArray();
}

void RememberedPlaces::SaveWindowGeometry(int templateId, const QByteArray& geometry) {
    if (RemembersWindow(templateId)) {
        settings_.setValue(GeometryKey(templateId), geometry);
    }
}

QString RememberedPlaces::FileDialogFolder() const {
    const QString folder = settings_.value(kFileDialogFolderKey).toString();
    // A folder removed or unmounted since: the dialog's own default is better than an error.
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberedPlaces::FileChosen(const QString& path) {
    if (!path.isEmpty()) {
        settings_.setValue(kFileDialogFolderKey, QFileInfo(path).absolutePath());
    }
}

}  // namespace tra1::qtui
