// The main window's menu bar in Qt follows the window system's menus: the control mode's check
// marks move when the user switches the mode from the menu bar, greyed items are disabled, and
// an item added to the system menu appears in the Help menu. A click on a panel button's label
// opens the panel; the title carries the document's name. The transfer's wait window, the
// REPORT window and the compare window are dialogs of the main window (the window manager keeps
// them above it), the panels windows of their own; the wait window goes above every window that
// comes to the front while it is open.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <memory>
#include <vector>

#include "app/compare_dlg.h"
#include "app/creport_dlg.h"
#include "app/main_window_ids.h"
#include "app/panel_table.h"
#include "app/receiver_editor_dlg.h"
#include "app/wait_message_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_front_end.h"
#include "platform/serial/serial_port.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

namespace id = main_window;

QAction* FindAction(const QList<QAction*>& actions, int command) {
    for (QAction* action : actions) {
        if (QMenu* popup = action->menu()) {
            if (QAction* found = FindAction(popup->actions(), command)) {
                return found;
            }
        } else if (!action->isSeparator() && action->data().toInt() == command) {
            return action;
        }
    }
    return nullptr;
}

class MainWindowMenuQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApp();
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
        loop_.SetPrompter(&prompter_);
        window_ = std::make_unique<CReceiverEditorDlg>(loop_, image_, profile_,
                                                       std::unique_ptr<serial::SerialPort>{});
        ASSERT_TRUE(window_->Create());
        window_->Show();
        loop_.DrainPosted();
        widget_ = frontEnd_->Host().WidgetFor(window_->Handle());
        ASSERT_NE(widget_, nullptr);
        ASSERT_NE(widget_->MenuBar(), nullptr);
    }
    void TearDown() override {
        if (window_ && window_->IsWindow()) {
            window_->DestroyWindow();
        }
        window_.reset();
        frontEnd_.reset();
        testing::FlushQtEvents();
    }

    QAction* Action(int command) const {
        return widget_->MenuBar() == nullptr ? nullptr
                                             : FindAction(widget_->MenuBar()->actions(), command);
    }
    // The user picks the entry in the menu bar; the command reaches the window once the menu
    // has closed (a queued call).
    void Choose(QAction* action) {
        action->trigger();
        QCoreApplication::processEvents();
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    win::ScriptedPrompter prompter_;
    std::unique_ptr<QtFrontEnd> frontEnd_;
    ReceiverImage image_;
    ModelProfile profile_;
    std::unique_ptr<CReceiverEditorDlg> window_;
    QPointer<DialogWidget> widget_;
};

TEST_F(MainWindowMenuQtTest, TheControlModeCheckMarkFollowsTheModeChosenInTheMenuBar) {
    QPointer<QAction> realtime = Action(id::kMenuRealtime);
    QPointer<QAction> asynchronous = Action(id::kMenuAsynchronous);
    ASSERT_NE(realtime, nullptr);
    ASSERT_NE(asynchronous, nullptr);
    EXPECT_TRUE(asynchronous->isChecked());
    EXPECT_FALSE(realtime->isChecked());

    // Without an open port the mode cannot change, and Qt's own flip of the entry is undone.
    Choose(realtime);
    EXPECT_FALSE(window_->Link().State().realtimeMode);
    EXPECT_FALSE(realtime->isChecked());
    EXPECT_TRUE(asynchronous->isChecked());
    Choose(asynchronous);
    EXPECT_FALSE(realtime->isChecked());
    EXPECT_TRUE(asynchronous->isChecked());

    window_->Link().State().openPort = 1;  // as if connected on COM1
    Choose(realtime);
    EXPECT_TRUE(window_->Link().State().realtimeMode);
    ASSERT_NE(realtime, nullptr);  // updated in place: an open menu stays open
    ASSERT_NE(asynchronous, nullptr);
    EXPECT_TRUE(realtime->isChecked());
    EXPECT_FALSE(asynchronous->isChecked());

    Choose(asynchronous);
    EXPECT_FALSE(window_->Link().State().realtimeMode);
    EXPECT_FALSE(realtime->isChecked());
    EXPECT_TRUE(asynchronous->isChecked());
    window_->Link().State().openPort = 0;
}

TEST_F(MainWindowMenuQtTest, GreyedItemsAreDisabledAndSystemMenuItemsAppearInHelp) {
    QPointer<QAction> upload = Action(id::kMenuUpload);
    ASSERT_NE(upload, nullptr);
    EXPECT_TRUE(upload->isEnabled());
    ASSERT_TRUE(window_->GetMenu()->EnableItem(id::kMenuUpload, false));
    ASSERT_NE(upload, nullptr);
    EXPECT_FALSE(upload->isEnabled());
    ASSERT_TRUE(window_->GetMenu()->EnableItem(id::kMenuUpload, true));
    EXPECT_TRUE(upload->isEnabled());

    // The About item the main window added at start-up, then one more: the bar is rebuilt.
    ASSERT_NE(Action(static_cast<int>(win::IDM_ABOUTBOX)), nullptr);
    window_->GetSystemMenu().AppendCommand(0x20, "Extra");
    QAction* extra = Action(0x20);
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->text(), QStringLiteral("Extra"));
    ASSERT_NE(Action(id::kMenuAsynchronous), nullptr);
    EXPECT_TRUE(Action(id::kMenuAsynchronous)->isChecked());
}

TEST_F(MainWindowMenuQtTest, ClickingAPanelLabelOpensThePanel) {
    auto* label = qobject_cast<QLabel*>(widget_->ControlWidget(id::LabelOf(1075)));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Audio Delay"));
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(label, Qt::LeftButton);
    const std::size_t delay = PanelTable::IndexForCommand(1075);
    EXPECT_TRUE(window_->Panels().IsOpen(delay));
    EXPECT_EQ(widget_->windowTitle(),
              QString::fromUtf8("Untitled \u2013 Tolvek Receiver Editor for TR-A1"));
}

TEST_F(MainWindowMenuQtTest, TheWaitWindowIsADialogOfTheMainWindowAndPanelsAreNot) {
    constexpr int kShowLfePanel = 32777;
    ASSERT_TRUE(window_->OpenWaitMessage());
    window_->SendMessage(win::WM_COMMAND, win::MakeWParam(kShowLfePanel, 0), 0);
    loop_.DrainPosted();
    QCoreApplication::processEvents();
    DialogWidget* wait = nullptr;
    for (const win::WindowHandle owned : loop_.ChildrenOf(window_->Handle())) {
        const auto* dialog = loop_.FindAs<win::Dialog>(owned);
        if (dialog != nullptr && dialog->TemplateId() == CWaitMessageDlg::kTemplateId) {
            wait = frontEnd_->Host().WidgetFor(owned);
        }
    }
    const win::Dialog* lfe = window_->Panels().Window(PanelTable::IndexForCommand(kShowLfePanel));
    ASSERT_NE(lfe, nullptr);
    DialogWidget* panel = frontEnd_->Host().WidgetFor(lfe->Handle());
    ASSERT_NE(wait, nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(wait->isVisible());
    ASSERT_NE(wait->windowHandle(), nullptr);
    ASSERT_NE(panel->windowHandle(), nullptr);

    EXPECT_EQ(widget_->windowType(), Qt::Window);
    EXPECT_EQ(wait->windowType(), Qt::Dialog);
    EXPECT_EQ(wait->windowHandle()->transientParent(), widget_->windowHandle());
    // A panel belongs to the desktop: the main window may cover it.
    EXPECT_EQ(panel->windowType(), Qt::Window);
    EXPECT_EQ(panel->windowHandle()->transientParent(), nullptr);
    window_->CloseWaitMessage();
}

TEST_F(MainWindowMenuQtTest, ReportAndCompareStayAboveTheMainWindowAndTheWaitWindowAboveAll) {
    constexpr int kShowLfePanel = 32777;
    QtDialogHost& host = frontEnd_->Host();
    // The REPORT window and a compare's window are dialogs of the main window, as the wait
    // window is: a click on the main window does not hide them. Both stay modeless.
    window_->SendMessage(win::WM_COMMAND,
                         win::MakeWParam(CREPORTDlg::kDescriptor.buttonId, win::BN_CLICKED), 0);
    window_->Compares().ReceiverRead(image_, false, false);
    loop_.DrainPosted();
    QCoreApplication::processEvents();
    const win::Dialog* report = window_->Panels().Window(
        PanelTable::IndexForRefresh(CREPORTDlg::kDescriptor.refreshMessage));
    const win::Dialog* compare = window_->Compares().Window();
    ASSERT_NE(report, nullptr);
    ASSERT_NE(compare, nullptr);
    for (const win::Dialog* owned : {report, compare}) {
        DialogWidget* widget = host.WidgetFor(owned->Handle());
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(widget->windowHandle(), nullptr);
        EXPECT_TRUE(widget->isVisible());
        EXPECT_EQ(widget->windowType(), Qt::Dialog);
        EXPECT_EQ(widget->windowHandle()->transientParent(), widget_->windowHandle());
        EXPECT_EQ(widget->windowModality(), Qt::NonModal);
    }
    // The main window brought to the front raises them above it.
    const std::vector<win::WindowHandle> mainFirst = host.RaiseOrder(window_->Handle());
    EXPECT_EQ(mainFirst, (std::vector<win::WindowHandle>{window_->Handle(), report->Handle(),
                                                         compare->Handle()}));

    // During a transfer its wait window goes above whatever comes to the front: a panel opened
    // then, the main window, the report.
    ASSERT_TRUE(window_->OpenWaitMessage());
    window_->SendMessage(win::WM_COMMAND, win::MakeWParam(kShowLfePanel, 0), 0);
    loop_.DrainPosted();
    QCoreApplication::processEvents();
    const win::Dialog* lfe = window_->Panels().Window(PanelTable::IndexForCommand(kShowLfePanel));
    ASSERT_NE(lfe, nullptr);
    win::WindowHandle wait;
    for (const win::WindowHandle owned : loop_.ChildrenOf(window_->Handle())) {
        const auto* dialog = loop_.FindAs<win::Dialog>(owned);
        if (dialog != nullptr && dialog->TemplateId() == CWaitMessageDlg::kTemplateId) {
            wait = owned;
        }
    }
    ASSERT_FALSE(wait.IsNull());
    EXPECT_EQ(host.RaiseOrder(lfe->Handle()),
              (std::vector<win::WindowHandle>{lfe->Handle(), wait}));
    EXPECT_EQ(host.RaiseOrder(window_->Handle()),
              (std::vector<win::WindowHandle>{window_->Handle(), report->Handle(),
                                              compare->Handle(), wait}));
    EXPECT_EQ(host.RaiseOrder(report->Handle()),
              (std::vector<win::WindowHandle>{report->Handle(), wait}));
    EXPECT_EQ(host.RaiseOrder(wait), std::vector<win::WindowHandle>{wait});

    // Once the transfer's window has gone, a panel comes to the front alone again.
    window_->CloseWaitMessage();
    loop_.DrainPosted();
    QCoreApplication::processEvents();
    EXPECT_EQ(host.RaiseOrder(lfe->Handle()), std::vector<win::WindowHandle>{lfe->Handle()});
}

TEST_F(MainWindowMenuQtTest, TypingInTheUserMemoKeepsEveryKeyInOrder) {
    auto* memo = qobject_cast<QPlainTextEdit*>(widget_->ControlWidget(id::kUserMemoEdit));
    ASSERT_NE(memo, nullptr);
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("Living room"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("AV"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Living room\nAV"));
    EXPECT_EQ(image_.UserMemoText(), "Living room\r\nAV");
    EXPECT_FALSE(memo->textCursor().hasSelection());
    EXPECT_EQ(widget_->windowTitle(),
              QString::fromUtf8("Untitled* \u2013 Tolvek Receiver Editor for TR-A1"));
}

}  // namespace
}  // namespace tra1::qtui
