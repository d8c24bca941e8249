#include "platform/qt/menu_builder.h"

#include <QAction>

#include "platform/qt/qt_text.h"

namespace tra1::qtui {

namespace {
QAction* MakeCommand(QObject* parent, const win::MenuItem& item, QObject* context,
                     const MenuChosen& chosen) {
    auto* action = new QAction(ToQString(item.text), parent);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    action->setEnabled(item.enabled && !item.grayed);
    const int id = item.id;
    QObject::connect(
        action, &QAction::triggered, context, [chosen, id] { chosen(id); }, Qt::QueuedConnection);
    return action;
}
}  // namespace

void FillMenu(QMenu& target, const std::vector<win::MenuItem>& items, QObject* context,
              const MenuChosen& chosen) {
    for (const win::MenuItem& item : items) {
        switch (item.kind) {
            case win::MenuItem::Kind::kSeparator:
                target.addSeparator();
                break;
            case win::MenuItem::Kind::kPopup: {
                QMenu* popup = target.addMenu(ToQString(item.text));
                popup->setEnabled(item.enabled && !item.grayed);
                FillMenu(*popup, item.children, context, chosen);
                break;
            }
            case win::MenuItem::Kind::kCommand:
                target.addAction(MakeCommand(&target, item, context, chosen));
                break;
        }
    }
}

void FillMenuBar(QMenuBar& bar, const win::Menu& menu, QObject* context, const MenuChosen& chosen) {
    bar.clear();
    for (const win::MenuItem& item : menu.items()) {
        switch (item.kind) {
            case win::MenuItem::Kind::kSeparator:
                bar.addSeparator();
                break;
            case win::MenuItem::Kind::kPopup: {
                QMenu* popup = bar.addMenu(ToQString(item.text));
                popup->setEnabled(item.enabled && !item.grayed);
                FillMenu(*popup, item.children, context, chosen);
                break;
            }
            case win::MenuItem::Kind::kCommand:
                bar.addAction(MakeCommand(&bar, item, context, chosen));
                break;
        }
    }
}

}  // namespace tra1::qtui
