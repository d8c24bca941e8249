#include "platform/qt/edit_binding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

#include "platform/qt/qt_text.h"
#include "platform/win/edit.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
QWidget* MakeEditWidget(const win::Control& control, QWidget* parent) {
    if (control.HasStyle(win::style::kMultiLine)) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setVerticalScrollBarPolicy(control.HasStyle(win::style::kVScroll)
                                             ? Qt::ScrollBarAsNeeded
                                             : Qt::ScrollBarAlwaysOff);
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    if (control.HasStyle(win::style::kNumber)) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    if (control.HasStyle(win::style::kCenter)) {
        edit->setAlignment(Qt::AlignCenter);
    } else if (control.HasStyle(win::style::kRight)) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return edit;
}
}  // namespace

EditBinding::EditBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, MakeEditWidget(control, parent)) {
    if (auto* line = qobject_cast<QLineEdit*>(widget())) {
        connect(line, &QLineEdit::textEdited, this, &EditBinding::UserEdited);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget())) {
        // Programmatic changes are blocked, so this fires for the user's typing only.
        connect(text, &QPlainTextEdit::textChanged, this,
                [this, text] { UserEdited(text->toPlainText()); });
    }
}

void EditBinding::UserEdited(const QString& text) {
    const bool multi_line = qobject_cast<QPlainTextEdit*>(widget()) != nullptr;
    const std::string typed = FromQString(text, multi_line);
    Gesture([&typed](win::Dialog& d, int id) { return win::user::ReplaceEditText(d, id, typed); });
}

void EditBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::Edit*>(control());
    if (model == nullptr) {
        return;
    }
    auto* line = qobject_cast<QLineEdit*>(widget());
    auto* text = qobject_cast<QPlainTextEdit*>(widget());
    switch (change) {
        case win::ControlChange::kText: {
            const QString wanted = ToQString(model->GetText());
            if (line != nullptr && line->text() != wanted) {
                line->setText(wanted);
            } else if (text != nullptr && text->toPlainText() != wanted) {
                text->setPlainText(wanted);
                text->moveCursor(QTextCursor::End);  // logs show their newest line
            }
            break;
        }
        case win::ControlChange::kLimit:
            if (line != nullptr) {
                line->setMaxLength(model->GetLimitText());
            }
            break;
        case win::ControlChange::kReadOnly:
            if (line != nullptr) {
                line->setReadOnly(model->IsReadOnly());
            } else if (text != nullptr) {
                text->setReadOnly(model->IsReadOnly());
            }
            break;
        default:
            break;
    }
}

}  // namespace tra1::qtui
