#include "platform/qt/combo_binding.h"

#include <QLineEdit>

#include "platform/qt/qt_text.h"
#include "platform/qt/tracking_combo_box.h"
#include "platform/win/combo_box.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
TrackingComboBox* MakeComboWidget(const win::Control& control, QWidget* parent) {
    auto* combo = new TrackingComboBox(parent);
    // The model keeps the order (and sorts with kSort); Qt must not re-sort or add items.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setEditable(control.HasStyle(win::style::kDropDown));
    return combo;
}
}  // namespace

ComboBinding::ComboBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, MakeComboWidget(control, parent)) {
    TrackingComboBox* box = Combo();
    box->SetPopupHandler([this](bool open) { PopupChanged(open); });
    connect(box, &QComboBox::activated, this, [this](int index) {
        Gesture([index](win::Dialog& d, int id) { return win::user::PickComboItem(d, id, index); });
    });
    if (QLineEdit* edit = box->lineEdit()) {
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            const std::string typed = FromQString(text);
            Gesture([&typed](win::Dialog& d, int id) {
                return win::user::ReplaceEditText(d, id, typed);
            });
        });
    }
}

TrackingComboBox* ComboBinding::Combo() const {
    return static_cast<TrackingComboBox*>(Widget());
}

void ComboBinding::PopupChanged(bool open) {
    if (Applying()) {
        return;  // the program opened or closed the list
    }
    Gesture([open](win::Dialog& d, int id) {
        return open ? win::user::OpenComboList(d, id) : win::user::CloseComboList(d, id);
    });
}

void ComboBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::ComboBox*>(GetControl());
    TrackingComboBox* box = Combo();
    if (model == nullptr) {
        return;
    }
    switch (change) {
        case win::ControlChange::kItems: {
            QStringList items;
            for (const std::string& item : model->Items()) {
                items.append(ToQString(item));
            }
            QStringList shown;
            for (int i = 0; i < box->count(); ++i) {
                shown.append(box->itemText(i));
            }
            if (items != shown) {
                box->clear();
                box->addItems(items);
            }
            [[fallthrough]];
        }
        case win::ControlChange::kSelection:
            if (box->currentIndex() != model->GetCurSel()) {
                box->setCurrentIndex(model->GetCurSel());  // CB_ERR (-1) shows no selection
            }
            if (box->isEditable() && box->lineEdit() != nullptr) {
                const QString text = ToQString(model->GetWindowText());
                if (box->lineEdit()->text() != text) {
                    box->lineEdit()->setText(text);
                }
            }
            break;
        case win::ControlChange::kText:
            if (box->isEditable() && box->lineEdit() != nullptr) {
                const QString text = ToQString(model->GetWindowText());
                if (box->lineEdit()->text() != text) {
                    box->lineEdit()->setText(text);
                }
            }
            break;
        case win::ControlChange::kDroppedDown:
            if (model->GetDroppedState() != box->IsPopupOpen()) {
                if (model->GetDroppedState()) {
                    if (box->isVisible()) {
                        box->showPopup();
                    }
                } else {
                    box->hidePopup();
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace tra1::qtui
