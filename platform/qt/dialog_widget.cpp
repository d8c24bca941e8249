#include "platform/qt/dialog_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/qt/button_binding.h"
#include "platform/qt/combo_binding.h"
#include "platform/qt/edit_binding.h"
#include "platform/qt/icon_pixmap.h"
#include "platform/qt/list_binding.h"
#include "platform/qt/list_view_binding.h"
#include "platform/qt/menu_builder.h"
#include "platform/qt/progress_binding.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/remembered_places.h"
#include "platform/qt/slider_binding.h"
#include "platform/qt/static_binding.h"
#include "platform/win/event_loop.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
// The offscreen platform (tests, pictures) has no window stacking and warns about raise().
bool CanStackWindows() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

// A window with an owner is a dialog of the owner's window: the window manager keeps it above
// that window (Qt writes WM_TRANSIENT_FOR only for dialog-type windows). A window without one
// (the main window, the panels) is a window of its own.
Qt::WindowFlags WindowFlagsFor(const QWidget* qtParent) {
    const Qt::WindowFlags type = qtParent != nullptr ? Qt::Dialog : Qt::Window;
    return type | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

// The toolkit's own system commands (close, move, size...) are the window manager's business.
constexpr int kFirstSystemCommand = 0xF000;

QFont FontOf(const win::Dialog& dialog) {
    const win::DialogTemplate* source = dialog.GetDialogTemplate();
    return source == nullptr ? DialogFont({}, 0) : DialogFont(source->fontName, source->fontPoints);
}

std::unique_ptr<ControlBinding> MakeBinding(DialogWidget& owner, win::Control& control,
                                            QWidget* parent) {
    switch (control.GetKind()) {
        case win::ControlKind::kStatic:
        case win::ControlKind::kIcon:
            return std::make_unique<StaticBinding>(owner, control, parent);
        case win::ControlKind::kPushButton:
        case win::ControlKind::kDefPushButton:
        case win::ControlKind::kCheckBox:
        case win::ControlKind::kRadioButton:
        case win::ControlKind::kGroupBox:
            return std::make_unique<ButtonBinding>(owner, control, parent);
        case win::ControlKind::kEdit:
            return std::make_unique<EditBinding>(owner, control, parent);
        case win::ControlKind::kComboBox:
            return std::make_unique<ComboBinding>(owner, control, parent);
        case win::ControlKind::kListBox:
            return std::make_unique<ListBinding>(owner, control, parent);
        case win::ControlKind::kSlider:
            return std::make_unique<SliderBinding>(owner, control, parent);
        case win::ControlKind::kProgressBar:
            return std::make_unique<ProgressBinding>(owner, control, parent);
        case win::ControlKind::kListView:
            return std::make_unique<ListViewBinding>(owner, control, parent);
    }
    return std::make_unique<StaticBinding>(owner, control, parent);
}
}  // namespace

DialogWidget::DialogWidget(QtDialogHost& host, win::Dialog& dialog, QWidget* qtParent)
    : QWidget(qtParent, WindowFlagsFor(qtParent)),
      host_(host),
      dialog_(&dialog),
      handle_(dialog.Handle()),
      units_(FontOf(dialog)),
      layout_(new QVBoxLayout(this)),
      client_(new QWidget(this)) {
    setFont(FontOf(dialog));
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
    layout_->addWidget(client_);
    if (const win::DialogTemplate* source = dialog.GetDialogTemplate()) {
        client_->setFixedSize(units_.ToPixelsX(source->cx), units_.ToPixelsY(source->cy));
        if ((source->style & win::dialog_style::kMinimizeBox) != 0) {
            setWindowFlag(Qt::WindowMinimizeButtonHint);
        }
    }
    if (dialog.IsModal() && qtParent != nullptr) {
        // DoModal marks the dialog modal before creating it. Modal to its owner only: the main
        // window itself runs modally without an owner, and the panels it opens must stay usable.
        setWindowModality(Qt::WindowModal);
    }
    // Right click in the client area: the items the dialog added to its system menu.
    client_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(client_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const std::vector<win::MenuItem> extras = SystemMenuExtras();
        if (extras.empty()) {
            return;
        }
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        FillMenu(*menu, extras, this, [this](int id) { ChooseSystemCommand(id); });
        menu->popup(client_->mapToGlobal(at));
    });
    setWindowTitle(ToQString(dialog.GetWindowText()));
    BuildControls();
    RebuildMenus();
    Mirror(win::WindowChange::kIcon);
    Mirror(win::WindowChange::kEnabled);
}

DialogWidget::~DialogWidget() {
    for (auto& binding : bindings_) {
        binding->Detach();
    }
    bindings_.clear();  // before the child widgets go with QWidget's destructor
}

void DialogWidget::BuildControls() {
    for (const auto& control : dialog_->Controls()) {
        auto binding = MakeBinding(*this, *control, client_);
        QWidget* widget = binding->Widget();
        QRect area = units_.ToPixels(control->X(), control->Y(), control->Cx(), control->Cy());
        if (control->GetKind() == win::ControlKind::kComboBox) {
            // A combo's template height includes its open list; the field has the font's height.
            area.setHeight(std::min(area.height(), widget->sizeHint().height()));
        }
        widget->setGeometry(area);
        binding->ApplyAll();
        bindings_.push_back(std::move(binding));
    }
    AttachSwitchLabels();
}

void DialogWidget::AttachSwitchLabels() {
    // The labels at the two ends of a horizontal slider ("OFF" / "ON", "L" / "H", "-" / "+")
    // are part of it: they grey with it. A label is an end label when it stands on the slider's
    // row and touches one of its ends (within a few dialog units).
    constexpr int kReach = 4;
    for (const auto& slider : bindings_) {
        const win::Control* control = slider->GetControl();
        if (control == nullptr || control->GetKind() != win::ControlKind::kSlider ||
            control->HasStyle(win::style::kVertical)) {
            continue;
        }
        const int top = control->Y();
        const int bottom = control->Y() + control->Cy();
        const int left = control->X();
        const int right = control->X() + control->Cx();
        for (const auto& label : bindings_) {
            const win::Control* text = label->GetControl();
            if (text == nullptr || text->GetKind() != win::ControlKind::kStatic) {
                continue;
            }
            const int middle = text->Y() + text->Cy() / 2;
            const int textRight = text->X() + text->Cx();
            const bool onRow = middle >= top && middle <= bottom;
            const bool atLeft = textRight >= left - kReach && textRight <= left + 1;
            const bool atRight = text->X() >= right - 1 && text->X() <= right + kReach;
            if (onRow && (atLeft || atRight)) {
                slider->AddBuddy(label->Widget());
            }
        }
    }
}

QWidget* DialogWidget::ControlWidget(int id) const {
    for (const auto& binding : bindings_) {
        if (binding->Id() == id) {
            return binding->Widget();
        }
    }
    return nullptr;
}

std::vector<win::MenuItem> DialogWidget::SystemMenuExtras() const {
    std::vector<win::MenuItem> extras;
    if (dialog_ == nullptr) {
        return extras;
    }
    for (const win::MenuItem& item : dialog_->GetSystemMenu().Items()) {
        if (item.kind == win::MenuItem::Kind::kCommand && item.id >= kFirstSystemCommand) {
            continue;
        }
        extras.push_back(item);
    }
    // No separators at the ends.
    while (!extras.empty() && extras.front().kind == win::MenuItem::Kind::kSeparator) {
        extras.erase(extras.begin());
    }
    while (!extras.empty() && extras.back().kind == win::MenuItem::Kind::kSeparator) {
        extras.pop_back();
    }
    return extras;
}

void DialogWidget::RebuildMenus() {
    if (dialog_ == nullptr) {
        return;
    }
    const MenuChosen menuChosen = [this](int id) {
        RunGesture([id](win::Dialog& d) { return win::user::ChooseMenuItem(d, id); });
        GestureFinished();
    };
    const MenuChosen systemChosen = [this](int id) { ChooseSystemCommand(id); };
    const std::vector<win::MenuItem> extras = SystemMenuExtras();

    // A fresh menu bar; later check marks and enabling are applied in place (UpdateMenus).
    if (menuBar_ != nullptr) {
        layout_->setMenuBar(nullptr);
        menuBar_->hide();
        menuBar_->deleteLater();
    }
    win::Menu* menu = dialog_->GetMenu();
    if (menu == nullptr) {
        return;
    }
    menuBar_ = new QMenuBar(this);
    FillMenuBar(*menuBar_, *menu, this, menuChosen);
    if (!extras.empty()) {
        QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
        FillMenu(*help, extras, this, systemChosen);
    }
    layout_->setMenuBar(menuBar_);
    ApplyEnabled();
}

void DialogWidget::UpdateMenus() {
    // The window system reports every change of the menu bar or the system menu (a check mark
    // moved, an item greyed, an item appended): apply it to the entries the user may have open,
    // or build the bar afresh when the menus changed shape.
    if (dialog_ == nullptr) {
        return;
    }
    win::Menu* menu = dialog_->GetMenu();
    if (menu == nullptr || menuBar_ == nullptr) {
        RebuildMenus();
        return;
    }
    std::vector<win::MenuItem> barItems = menu->Items();
    if (std::vector<win::MenuItem> extras = SystemMenuExtras(); !extras.empty()) {
        win::MenuItem help;
        help.kind = win::MenuItem::Kind::kPopup;
        help.text = "&Help";
        help.children = std::move(extras);
        barItems.push_back(std::move(help));
    }
    if (!SyncMenuBar(*menuBar_, barItems)) {
        RebuildMenus();
    }
}

void DialogWidget::ApplyPlacement() {
    if (dialog_ == nullptr) {
        return;
    }
    const bool firstPlacement = !placed_;
    placed_ = true;
    ensurePolished();
    layout_->activate();
    adjustSize();
    if (firstPlacement && RestoreRememberedPlace()) {
        return;
    }
    const QSize size = frameGeometry().size();
    QRect over;
    switch (dialog_->GetPlacement()) {
        case win::Placement::kCenterOverOwner:
            if (DialogWidget* owner = host_.WidgetFor(dialog_->PlacementOwner())) {
                if (owner->isVisible()) {
                    over = owner->frameGeometry();
                }
            }
            [[fallthrough]];
        case win::Placement::kCenterScreen:
            if (over.isNull()) {
                QScreen* screen =
                    this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
                if (screen != nullptr) {
                    over = screen->availableGeometry();
                }
            }
            if (!over.isNull()) {
                move(over.center() - QPoint(size.width() / 2, size.height() / 2));
            }
            break;
        case win::Placement::kTemplate:
            // As the toolkit: relative to the owner's client area, or to the screen.
            if (const win::DialogTemplate* source = dialog_->GetDialogTemplate()) {
                QPoint origin;
                if (DialogWidget* owner = host_.WidgetFor(dialog_->Parent())) {
                    origin = owner->Client()->mapToGlobal(QPoint(0, 0));
                }
                move(origin + QPoint(units_.ToPixelsX(source->x), units_.ToPixelsY(source->y)));
            }
            break;
    }
}

bool DialogWidget::RestoreRememberedPlace() {
    RememberedPlaces* places = host_.GetRememberedPlaces();
    if (places == nullptr) {
        return false;
    }
    const QByteArray geometry = places->WindowGeometry(dialog_->TemplateId());
    const QSize size = this->size();
    // restoreGeometry also brings a window back onto a screen that is still there.
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        return false;
    }
    resize(size);  // the template decides the size; the user only the place
    return true;
}

void DialogWidget::RememberPlace() {
    RememberedPlaces* places = host_.GetRememberedPlaces();
    if (places != nullptr && placed_ && dialog_ != nullptr) {
        places->SaveWindowGeometry(dialog_->TemplateId(), saveGeometry());
    }
}

void DialogWidget::ApplyEnabled() {
    // Only the client area and the menu: disabling the QWidget itself would disable the owned
    // windows too, the modal dialog that disabled it among them. While a modal dialog of this
    // window runs, Qt's window modality blocks the input instead, without greying everything.
    bool enabled = dialog_->IsWindowEnabled();
    if (!enabled) {
        for (win::WindowHandle child : dialog_->Loop().ChildrenOf(handle_)) {
            const auto* owned = dialog_->Loop().FindAs<win::Dialog>(child);
            if (owned != nullptr && owned->IsModal() && !owned->ModalEnded()) {
                enabled = true;
            }
        }
    }
    client_->setEnabled(enabled);
    if (menuBar_ != nullptr) {
        menuBar_->setEnabled(enabled);
    }
}

void DialogWidget::Mirror(win::WindowChange change) {
    if (dialog_ == nullptr) {
        return;
    }
    switch (change) {
        case win::WindowChange::kCreated:
            break;
        case win::WindowChange::kShown:
            // Placed when first shown; later the window stays where the user moved it.
            if (!placed_) {
                ApplyPlacement();
            }
            show();
            if (CanStackWindows()) {
                host_.Raise(handle_);
            }
            break;
        case win::WindowChange::kHidden:
            RememberPlace();
            hide();
            break;
        case win::WindowChange::kCaption:
            setWindowTitle(ToQString(dialog_->GetWindowText()));
            break;
        case win::WindowChange::kEnabled:
            ApplyEnabled();
            break;
        case win::WindowChange::kPlacement:
            ApplyPlacement();
            break;
        case win::WindowChange::kFocus:
            if (isVisible() && dialog_->HasFocus()) {
                if (CanStackWindows()) {
                    host_.Raise(handle_);
                }
                activateWindow();
            }
            break;
        case win::WindowChange::kIcon: {
            const int icon =
                dialog_->GetIcon(true) != 0 ? dialog_->GetIcon(true) : dialog_->GetIcon(false);
            setWindowIcon(icon != 0 ? IconFor(icon) : QIcon());
            break;
        }
        case win::WindowChange::kMenu:
            UpdateMenus();
            break;
        case win::WindowChange::kDestroyed:
            if (isVisible()) {
                RememberPlace();
            }
            Detach();
            break;
    }
}

void DialogWidget::Detach() {
    if (dialog_ == nullptr) {
        return;
    }
    for (auto& binding : bindings_) {
        binding->Detach();
    }
    dialog_ = nullptr;
    hide();
    deleteLater();
}

void DialogWidget::ChooseSystemCommand(int id) {
    RunGesture([id](win::Dialog& d) {
        return win::user::ChooseSystemMenuItem(d, static_cast<unsigned>(id));
    });
    GestureFinished();
}

bool DialogWidget::RunGesture(const std::function<bool(win::Dialog&)>& gesture) {
    if (dialog_ == nullptr) {
        return false;
    }
    return gesture(*dialog_);
}

void DialogWidget::GestureFinished() {
    host_.EndFinishedModals();
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    // The dialog decides: a panel destroys itself, a modal dialog ends, the wait window asks
    // its owner to stop the transfer.
    event->ignore();
    RunGesture([](win::Dialog& d) { return win::user::CloseBox(d); });
    GestureFinished();
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    // Keys that no control used: Enter and Esc as the toolkit's dialog manager sees them.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        RunGesture([](win::Dialog& d) { return win::user::PressEnter(d); });
        GestureFinished();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        RunGesture([](win::Dialog& d) { return win::user::PressEsc(d); });
        GestureFinished();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DialogWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && dialog_ != nullptr) {
        dialog_->Loop().SetFocusedWindow(handle_);
        // The window manager raised this window for the user's click; the windows that stay
        // above the program's others go back above it.
        if (CanStackWindows()) {
            host_.RaiseTopmostWindows();
        }
    }
    QWidget::changeEvent(event);
}

}  // namespace tra1::qtui
