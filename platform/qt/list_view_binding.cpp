#include "platform/qt/list_view_binding.h"

#include <QHeaderView>
#include <QStringList>
#include <QTreeWidget>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/win/list_view.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

ListViewBinding::ListViewBinding(DialogWidget& owner, win::Control& control, QWidget* parent)
    : ControlBinding(owner, control, new QTreeWidget(parent)) {
    auto* tree = static_cast<QTreeWidget*>(Widget());
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setAlternatingRowColors(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSortingEnabled(false);  // the control sorts
    QHeaderView* header = tree->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(true);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        Gesture([column](win::Dialog& d, int id) {
            return win::user::ClickColumnHeader(d, id, column);
        });
    });
}

void ListViewBinding::Apply(win::ControlChange change) {
    auto* model = dynamic_cast<win::ListView*>(GetControl());
    auto* tree = qobject_cast<QTreeWidget*>(Widget());
    if (model == nullptr || tree == nullptr || change != win::ControlChange::kItems) {
        return;
    }
    QStringList headers;
    for (const std::string& column : model->Columns()) {
        headers.append(ToQString(column));
    }
    if (tree->columnCount() != headers.size()) {
        tree->setColumnCount(static_cast<int>(headers.size()));
    }
    tree->setHeaderLabels(headers);
    tree->clear();
    QList<QTreeWidgetItem*> items;
    for (const win::ListView::Row& row : model->Rows()) {
        QStringList cells;
        for (const std::string& cell : row) {
            cells.append(ToQString(cell));
        }
        items.append(new QTreeWidgetItem(cells));  // owned by the tree once added
    }
    tree->addTopLevelItems(items);
    // The first column takes the room its texts need, between a third and three fifths of the
    // width; the other columns share the rest evenly (the last one stretches).
    const int width = tree->viewport()->width();
    if (headers.size() > 1 && width > 0) {
        tree->resizeColumnToContents(0);
        const int first = std::clamp(tree->columnWidth(0), width / 3, width * 3 / 5);
        tree->setColumnWidth(0, first);
        const int share = (width - first) / static_cast<int>(headers.size() - 1);
        for (int c = 1; c + 1 < headers.size(); ++c) {
            tree->setColumnWidth(c, share);
        }
    }
    QHeaderView* header = tree->header();
    if (model->SortColumn() >= 0) {
        header->setSortIndicator(model->SortColumn(),
                                 model->SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    } else {
        header->setSortIndicator(-1, Qt::AscendingOrder);
    }
}

}  // namespace tra1::qtui
