#include "platform/qt/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>

#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/remembered_places.h"

namespace tra1::qtui {

QMessageBox::StandardButtons QtPrompter::ButtonsFor(win::Buttons buttons) {
    switch (buttons) {
        case win::Buttons::kOk:
            return QMessageBox::Ok;
        case win::Buttons::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case win::Buttons::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case win::Buttons::kYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case win::Buttons::kRetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case win::Buttons::kAbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon QtPrompter::IconFor(win::BoxIcon icon) {
    switch (icon) {
        case win::BoxIcon::kNone:
            return QMessageBox::NoIcon;
        case win::BoxIcon::kInformation:
            return QMessageBox::Information;
        case win::BoxIcon::kWarning:
            return QMessageBox::Warning;
        case win::BoxIcon::kError:
            return QMessageBox::Critical;
        case win::BoxIcon::kQuestion:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtPrompter::EscapeFor(win::Buttons buttons) {
    // As the toolkit: Esc answers Cancel where there is one, OK on a lone OK, else nothing.
    switch (buttons) {
        case win::Buttons::kOk:
            return QMessageBox::Ok;
        case win::Buttons::kOkCancel:
        case win::Buttons::kYesNoCancel:
        case win::Buttons::kRetryCancel:
            return QMessageBox::Cancel;
        case win::Buttons::kYesNo:
        case win::Buttons::kAbortRetryIgnore:
            return QMessageBox::NoButton;
    }
    return QMessageBox::NoButton;
}

win::Answer QtPrompter::AnswerFor(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok:
            return win::Answer::kOk;
        case QMessageBox::Yes:
            return win::Answer::kYes;
        case QMessageBox::No:
            return win::Answer::kNo;
        case QMessageBox::Retry:
            return win::Answer::kRetry;
        case QMessageBox::Abort:
            return win::Answer::kAbort;
        case QMessageBox::Ignore:
            return win::Answer::kIgnore;
        default:
            return win::Answer::kCancel;
    }
}

QWidget* QtPrompter::OwnerWidget(win::WindowHandle owner) const {
    if (host_ != nullptr) {
        if (DialogWidget* widget = host_->WidgetFor(owner)) {
            if (widget->isVisible()) {
                return widget;
            }
        }
    }
    return QApplication::activeWindow();
}

std::unique_ptr<QMessageBox> QtPrompter::MakeBox(const win::MessageBoxRequest& request) const {
    const std::string& title = request.title.empty() ? DefaultTitle() : request.title;
    auto box = std::make_unique<QMessageBox>(IconFor(request.icon), ToQString(title),
                                             ToQString(request.text), ButtonsFor(request.buttons),
                                             OwnerWidget(request.owner));
    box->setTextFormat(Qt::PlainText);
    if (box->parentWidget() != nullptr) {
        box->setWindowModality(Qt::WindowModal);  // blocks its owner, not every panel
    }
    const QMessageBox::StandardButton escape = EscapeFor(request.buttons);
    if (escape != QMessageBox::NoButton) {
        box->setEscapeButton(escape);
    }
    return box;
}

win::Answer QtPrompter::ShowMessageBox(const win::MessageBoxRequest& request) {
    const std::unique_ptr<QMessageBox> box = MakeBox(request);
    const int chosen = box->exec();
    return AnswerFor(static_cast<QMessageBox::StandardButton>(chosen));
}

QString QtPrompter::NameFilterFor(const win::FileDialogRequest& request) {
    QStringList patterns;
    for (const std::string& pattern : request.patterns) {
        patterns.append(ToQString(pattern));
    }
    if (patterns.isEmpty()) {
        patterns.append(QStringLiteral("*"));
    }
    const QString name = ToQString(request.filter);
    return QStringLiteral("%1 (%2)").arg(name.isEmpty() ? QStringLiteral("Files") : name,
                                         patterns.join(QLatin1Char(' ')));
}

std::optional<std::string> QtPrompter::Accepted(const QString& path,
                                                const win::FileDialogRequest& request) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    std::string chosen = FromQString(path);
    if (chosen.size() > request.maxPath) {
        return std::nullopt;  // the program's path buffer could not hold it
    }
    return chosen;
}

std::optional<std::string> QtPrompter::RunFileDialog(const win::FileDialogRequest& request,
                                                     bool save) {
    QFileDialog dialog(OwnerWidget(request.owner), ToQString(request.title));
    if (dialog.parentWidget() != nullptr) {
        dialog.setWindowModality(Qt::WindowModal);
    }
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.mustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(NameFilterFor(request));
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    }
    if (places_ != nullptr) {
        if (const QString folder = places_->FileDialogFolder(); !folder.isEmpty()) {
            dialog.setDirectory(folder);
        }
    }
    if (!request.proposedName.empty()) {
        dialog.selectFile(ToQString(request.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().first();
    if (places_ != nullptr) {
        places_->FileChosen(chosen);
    }
    return Accepted(chosen, request);
}

std::optional<std::string> QtPrompter::GetOpenFileName(const win::FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::string> QtPrompter::GetSaveFileName(const win::FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

}  // namespace tra1::qtui
