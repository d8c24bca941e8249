#include "platform/qt/button_binding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/qt_text.h"
#include "platform/win/button.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
// The toolkit's check boxes and radio buttons answer a click anywhere in their rectangle; Qt's
// only on the box and the text.
class WholeAreaCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
class WholeAreaRadioButton final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* MakeButtonWidget(const win::Control& control, QWidget* parent) {
    const QString text = ToQString(control.GetText());
    switch (control.GetKind()) {
        case win::ControlKind::kCheckBox:
            return new WholeAreaCheckBox(text, parent);
        case win::ControlKind::kRadioButton: {
            auto* radio = new WholeAreaRadioButton(text, parent);
            radio->setAutoExclusive(false);
            return radio;
        }
        case win::ControlKind::kGroupBox: {
            auto* group = new QGroupBox(WithoutMnemonics(text), parent);
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            return group;
        }
        default: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            button->setDefault(control.GetKind() == win::ControlKind::kDefPushButton);
            return button;
        }
    }
}
}  // namespace

ButtonBinding::ButtonBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, MakeButtonWidget(control, parent)) {
    auto* button = qobject_cast<QAbstractButton*>(Widget());
    if (button == nullptr) {
        return;  // group box: nothing to click
    }
    if (qobject_cast<QPushButton*>(button) != nullptr) {
        connect(button, &QAbstractButton::pressed, this, [this] {
            Gesture([](win::Dialog& d, int id) { return win::user::MousePress(d, id); });
        });
        connect(button, &QAbstractButton::released, this, [this] {
            Gesture([](win::Dialog& d, int id) { return win::user::MouseRelease(d, id); });
        });
    }
    connect(button, &QAbstractButton::clicked, this,
            [this] { Gesture([](win::Dialog& d, int id) { return win::user::Click(d, id); }); });
}

void ButtonBinding::Apply(win::ControlChange change) {
    auto* button = dynamic_cast<win::Button*>(GetControl());
    if (button == nullptr) {
        return;
    }
    switch (change) {
        case win::ControlChange::kText:
            if (auto* group = qobject_cast<QGroupBox*>(Widget())) {
                group->setTitle(WithoutMnemonics(ToQString(button->GetText())));
            } else if (auto* qtButton = qobject_cast<QAbstractButton*>(Widget())) {
                qtButton->setText(ToQString(button->GetText()));
            }
            break;
        case win::ControlChange::kCheck:
            if (button->IsCheckBox() || button->IsRadioButton()) {
                if (auto* qtButton = qobject_cast<QAbstractButton*>(Widget())) {
                    qtButton->setChecked(button->GetCheck() == win::BST_CHECKED);
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace tra1::qtui
