#pragma once
// Message boxes and file dialogs shown with QMessageBox and QFileDialog. Each call runs Qt's
// modal loop, in which the window system's timers and messages keep running (as they do under
// the toolkit's message box).

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "platform/win/prompter.h"

class QWidget;

namespace tra1::qtui {

class QtDialogHost;
class RememberedPlaces;

class QtPrompter final : public win::Prompter {
public:
    // `host` (may be null) finds the owner window of a box.
    explicit QtPrompter(QtDialogHost* host) : host_(host) {}

    // Where the file dialogs start: the folder of the file chosen last (null: Qt's default).
    void SetRememberedPlaces(RememberedPlaces* places) { places_ = places; }

    win::Answer ShowMessageBox(const win::MessageBoxRequest& request) override;
    std::optional<std::string> GetOpenFileName(const win::FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileName(const win::FileDialogRequest& request) override;

    // The pieces, public so that they can be checked without showing anything.
    static QMessageBox::StandardButtons ButtonsFor(win::Buttons buttons);
    static QMessageBox::Icon IconFor(win::BoxIcon icon);
    // The Qt button a box's Esc and close box give (NoButton when Esc does nothing).
    static QMessageBox::StandardButton EscapeFor(win::Buttons buttons);
    static win::Answer AnswerFor(QMessageBox::StandardButton button);
    // "Configuration File(*.tcf)" with {"*.tcf"} -> "Configuration File(*.tcf) (*.tcf)".
    static QString NameFilterFor(const win::FileDialogRequest& request);
    // The chosen path as the program gets it: nullopt for none or one longer than max_path.
    static std::optional<std::string> Accepted(const QString& path,
                                               const win::FileDialogRequest& request);
    // Builds the box without showing it.
    std::unique_ptr<QMessageBox> MakeBox(const win::MessageBoxRequest& request) const;

private:
    QWidget* OwnerWidget(win::WindowHandle owner) const;
    std::optional<std::string> RunFileDialog(const win::FileDialogRequest& request, bool save);

    QtDialogHost* host_;
    RememberedPlaces* places_ = nullptr;
};

}  // namespace tra1::qtui
