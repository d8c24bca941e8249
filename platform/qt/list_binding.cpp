#include "platform/qt/list_binding.h"

#include <QListWidget>

#include "platform/qt/qt_text.h"
#include "platform/win/list_box.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

ListBinding::ListBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, new QListWidget(parent)) {
    auto* list = static_cast<QListWidget*>(Widget());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(
        control.HasStyle(win::style::kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            Gesture([row](win::Dialog& d, int id) { return win::user::SelectListRow(d, id, row); });
        }
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, list](QListWidgetItem* item) {
        const int row = list->row(item);
        Gesture(
            [row](win::Dialog& d, int id) { return win::user::DoubleClickListRow(d, id, row); });
    });
}

void ListBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::ListBox*>(GetControl());
    auto* list = qobject_cast<QListWidget*>(Widget());
    if (model == nullptr || list == nullptr) {
        return;
    }
    switch (change) {
        case win::ControlChange::kItems: {
            QStringList rows;
            for (const std::string& item : model->Items()) {
                rows.append(ToQString(item));
            }
            bool same = list->count() == rows.size();
            for (int i = 0; same && i < list->count(); ++i) {
                same = list->item(i)->text() == rows.at(i);
            }
            if (!same) {
                list->clear();
                list->addItems(rows);
            }
            [[fallthrough]];
        }
        case win::ControlChange::kSelection:
            if (list->currentRow() != model->GetCurSel()) {
                list->setCurrentRow(model->GetCurSel());
            }
            if (model->GetCurSel() < 0) {
                list->clearSelection();
            }
            if (QListWidgetItem* top = list->item(model->GetTopIndex())) {
                list->scrollToItem(top, QAbstractItemView::PositionAtTop);
            }
            break;
        default:
            break;
    }
}

}  // namespace tra1::qtui
