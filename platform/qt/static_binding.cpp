#include "platform/qt/static_binding.h"

#include <QLabel>
#include <QMouseEvent>

#include "platform/qt/icon_pixmap.h"
#include "platform/qt/qt_text.h"
#include "platform/win/static.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
QLabel* MakeLabel(const win::Control& control, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    Qt::Alignment align = Qt::AlignTop;
    if (control.GetKind() == win::ControlKind::kIcon) {
        align = Qt::AlignLeft | Qt::AlignTop;
    } else if (control.HasStyle(win::style::kCenter)) {
        align |= Qt::AlignHCenter;
    } else if (control.HasStyle(win::style::kRight)) {
        align |= Qt::AlignRight;
    } else {
        align |= Qt::AlignLeft;
    }
    label->setAlignment(align);
    label->setWordWrap(control.GetKind() != win::ControlKind::kIcon);
    if (control.HasStyle(win::style::kSunken) || control.HasStyle(win::style::kBorder)) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}
}  // namespace

StaticBinding::StaticBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, MakeLabel(control, parent)) {
    if (control.HasStyle(win::style::kNotify)) {
        // A label that answers clicks looks like it does.
        Widget()->setCursor(Qt::PointingHandCursor);
    }
}

bool StaticBinding::eventFilter(QObject* watched, QEvent* event) {
    // A left click that ends over a label with kNotify: the toolkit's STN_CLICKED.
    if (watched == Widget() && event->type() == QEvent::MouseButtonRelease &&
        GetControl() != nullptr && GetControl()->HasStyle(win::style::kNotify)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Widget()->rect().contains(mouse->position().toPoint())) {
            Gesture([](win::Dialog& d, int id) { return win::user::ClickLabel(d, id); });
            return true;
        }
    }
    return ControlBinding::eventFilter(watched, event);
}

void StaticBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::Static*>(GetControl());
    auto* label = qobject_cast<QLabel*>(Widget());
    if (model == nullptr || label == nullptr) {
        return;
    }
    if (model->GetKind() == win::ControlKind::kIcon) {
        if (change == win::ControlChange::kIcon) {
            label->setPixmap(IconPixmap(model->GetIcon()));
        }
        return;
    }
    if (change == win::ControlChange::kText) {
        label->setText(WithoutMnemonics(ToQString(model->GetText())));
    }
}

}  // namespace tra1::qtui
