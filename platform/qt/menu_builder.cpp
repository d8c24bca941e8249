#include "platform/qt/menu_builder.h"

#include <QAction>
#include <QList>

#include "platform/qt/qt_text.h"

namespace tra1::qtui {

namespace {
// The toolkit draws no box beside an unchecked item, so only a checked item is checkable.
void ApplyCommandState(QAction& action, const win::MenuItem& item) {
    action.setText(ToQString(item.text));
    action.setCheckable(item.checked);
    action.setChecked(item.checked);
    action.setEnabled(item.enabled && !item.grayed);
}

QAction* MakeCommand(QObject* parent, const win::MenuItem& item, QObject* context,
                     const MenuChosen& chosen) {
    auto* action = new QAction(parent);
    action->setData(item.id);
    ApplyCommandState(*action, item);
    // Qt flips a checkable entry when it is chosen; the window decides the check mark (a mode
    // that cannot be entered stays unchecked), so the flip is undone and the window's own
    // change, if any, comes back as a menu change.
    QObject::connect(action, &QAction::triggered, action, [action](bool checked) {
        if (action->isCheckable()) {
            action->setChecked(!checked);
        }
    });
    const int id = item.id;
    QObject::connect(
        action, &QAction::triggered, context, [chosen, id] { chosen(id); }, Qt::QueuedConnection);
    return action;
}

bool SyncActions(const QList<QAction*>& actions, const std::vector<win::MenuItem>& items) {
    if (actions.size() != static_cast<qsizetype>(items.size())) {
        return false;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction& action = *actions[static_cast<qsizetype>(i)];
        const win::MenuItem& item = items[i];
        switch (item.kind) {
            case win::MenuItem::Kind::kSeparator:
                if (!action.isSeparator()) {
                    return false;
                }
                break;
            case win::MenuItem::Kind::kPopup: {
                QMenu* popup = action.menu();
                if (popup == nullptr) {
                    return false;
                }
                popup->setTitle(ToQString(item.text));
                popup->setEnabled(item.enabled && !item.grayed);
                if (!SyncMenu(*popup, item.children)) {
                    return false;
                }
                break;
            }
            case win::MenuItem::Kind::kCommand:
                if (action.isSeparator() || action.menu() != nullptr ||
                    action.data().toInt() != item.id) {
                    return false;
                }
                ApplyCommandState(action, item);
                break;
        }
    }
    return true;
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
    for (const win::MenuItem& item : menu.Items()) {
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

bool SyncMenuBar(QMenuBar& bar, const std::vector<win::MenuItem>& items) {
    return SyncActions(bar.actions(), items);
}

bool SyncMenu(QMenu& target, const std::vector<win::MenuItem>& items) {
    return SyncActions(target.actions(), items);
}

}  // namespace tra1::qtui
