#include "platform/qt/edit_binding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

#include "platform/qt/plain_text_look.h"
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
        // As the toolkit's multi-line edit: with automatic horizontal scrolling the lines stay
        // whole and the view scrolls sideways; without it they wrap at the window's edge.
        if (control.HasStyle(win::style::kAutoHScroll)) {
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        }
        if (control.HasStyle(win::style::kFixedPitch)) {
            edit->setFont(FixedPitchFont(parent->font().pointSize()));
        }
        // Tab stops every 8 columns of the edit's font, as the toolkit's edit sets them.
        edit->setTabStopDistance(TabStopDistance(edit->font()));
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    if (control.HasStyle(win::style::kFixedPitch)) {
        edit->setFont(FixedPitchFont(parent->font().pointSize()));
    }
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

// The widget's position of a caret that the window system counts in bytes of its "\r\n" text.
int WidgetPosition(const std::string& text, int caret) {
    const auto end = static_cast<std::size_t>(std::clamp(caret, 0, static_cast<int>(text.size())));
    return static_cast<int>(ToQString(std::string_view(text).substr(0, end)).size());
}
}  // namespace

EditBinding::EditBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, MakeEditWidget(control, parent)) {
    if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
        connect(line, &QLineEdit::textEdited, this, &EditBinding::UserEdited);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(Widget())) {
        // Programmatic changes are blocked, so this fires for the user's typing only.
        connect(text, &QPlainTextEdit::textChanged, this,
                [this, text] { UserEdited(text->toPlainText()); });
    }
}

void EditBinding::UserEdited(const QString& text) {
    const bool multiLine = qobject_cast<QPlainTextEdit*>(Widget()) != nullptr;
    const std::string typed = FromQString(text, multiLine);
    userEditing_ = true;
    Gesture([&typed](win::Dialog& d, int id) { return win::user::ReplaceEditText(d, id, typed); });
    userEditing_ = false;
}

void EditBinding::ShowCaret(const win::Edit& model) {
    auto* text = qobject_cast<QPlainTextEdit*>(Widget());
    if (text == nullptr) {
        return;
    }
    const std::string& value = model.GetText();
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(WidgetPosition(value, model.GetSelStart()));
    cursor.setPosition(WidgetPosition(value, model.GetSelEnd()), QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
    text->ensureCursorVisible();
    if (model.GetSelEnd() == 0) {
        text->horizontalScrollBar()->setValue(0);
    }
}

void EditBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::Edit*>(GetControl());
    if (model == nullptr) {
        return;
    }
    auto* line = qobject_cast<QLineEdit*>(Widget());
    auto* text = qobject_cast<QPlainTextEdit*>(Widget());
    switch (change) {
        case win::ControlChange::kText: {
            const QString wanted = ToQString(model->GetText());
            if (line != nullptr && line->text() != wanted) {
                line->setText(wanted);
            } else if (text != nullptr && text->toPlainText() != wanted) {
                text->setPlainText(wanted);
                if (ApplyingAll()) {
                    text->moveCursor(QTextCursor::End);
                } else {
                    ShowCaret(*model);  // a log shows its newest line, the report its top
                }
            }
            break;
        }
        case win::ControlChange::kSelection:
            // Only when the program moved the caret; after the user's own typing the widget's
            // caret is the right one already (replacing the text selects it all on the way, and
            // showing that would make the next key replace everything typed so far).
            if (!ApplyingAll() && !userEditing_) {
                ShowCaret(*model);
            }
            break;
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
