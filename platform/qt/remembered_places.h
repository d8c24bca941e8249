#pragma once
// Where the user left things, kept between runs in the user's settings (QSettings): the place of
// chosen windows and the folder the file dialogs showed last.

#include <QByteArray>
#include <QString>
#include <set>

class QSettings;

namespace tra1::qtui {

class RememberedPlaces {
public:
    // `windows`: the dialog templates whose windows open again where the user left them.
    RememberedPlaces(QSettings& settings, std::set<int> windows);

    bool RemembersWindow(int templateId) const { return windows_.contains(templateId); }
    // What QWidget::saveGeometry gave when the window last closed; empty when nothing was kept.
    QByteArray WindowGeometry(int templateId) const;
    void SaveWindowGeometry(int templateId, const QByteArray& geometry);

    // The folder of the file chosen last in a file dialog, while it still exists; else empty.
    QString FileDialogFolder() const;
    void FileChosen(const QString& path);

private:
    QSettings& settings_;
    std::set<int> windows_;
};

}  // namespace tra1::qtui
