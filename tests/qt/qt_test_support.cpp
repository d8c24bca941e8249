#include "tests/qt/qt_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <memory>

#include "platform/win/resource_registry.h"

namespace tra1::qtui::testing {

void EnsureQtApp() {
    // qt_test_main.cpp makes it; a test run without it would fail here rather than crash.
    ASSERT_NE(QApplication::instance(), nullptr);
}

void FlushQtEvents() {
    for (int round = 0; round < 10; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

namespace {
win::ControlTemplate Control(int id, win::ControlKind kind, std::string text, std::uint32_t style,
                             int x, int y, int cx, int cy) {
    win::ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = std::move(text);
    c.style = style;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}
}  // namespace

void RegisterTestTemplates() {
    using win::ControlKind;
    namespace style = win::style;
    win::DialogTemplate t;
    t.id = kTestDialog;
    t.caption = "Test Dialog";
    t.cx = 260;
    t.cy = 200;
    t.menu = kTestDialog;
    t.controls = {
        Control(kSlider, ControlKind::kSlider, "", style::kAutoTicks, 10, 10, 150, 20),
        Control(kVerticalSlider, ControlKind::kSlider, "", style::kVertical, 220, 10, 20, 120),
        Control(kCombo, ControlKind::kComboBox, "", style::kVScroll, 10, 40, 100, 80),
        Control(kCheck, ControlKind::kCheckBox, "Check", style::kTabStop, 120, 40, 60, 10),
        Control(kRadioA, ControlKind::kRadioButton, "A", style::kGroup, 120, 55, 40, 10),
        Control(kRadioB, ControlKind::kRadioButton, "B", style::kNone, 165, 55, 40, 10),
        Control(kEdit, ControlKind::kEdit, "", style::kBorder, 10, 70, 100, 14),
        Control(kList, ControlKind::kListBox, "", style::kVScroll, 10, 90, 100, 60),
        Control(kPush, ControlKind::kPushButton, "Push", style::kTabStop, 120, 90, 50, 14),
        Control(kReadout, ControlKind::kEdit, "", style::kReadOnly, 120, 110, 50, 14),
        Control(win::IDOK, ControlKind::kDefPushButton, "OK", style::kGroup, 120, 170, 50, 14),
    };
    win::MenuTemplate menu;
    menu.id = kTestDialog;
    win::MenuItemTemplate file;
    file.text = "&File";
    file.flags = win::menu_flag::kPopup;
    win::MenuItemTemplate command;
    command.text = "&Command";
    command.id = kMenuCommand;
    file.children.push_back(command);
    menu.items.push_back(file);
    win::ResourceRegistry::Instance().AddMenu(menu);
    win::ResourceRegistry::Instance().AddDialog(t);
}

int RecordingDialog::Count(Notification::Kind kind, int id, long long code) const {
    int count = 0;
    for (const Notification& n : seen) {
        count += (n.kind == kind && n.id == id && n.code == code) ? 1 : 0;
    }
    return count;
}

void RecordingDialog::OnCommand(int id, unsigned code) {
    seen.push_back({Notification::Kind::kCommand, id, code, 0});
}
void RecordingDialog::OnNotify(int id, win::LParam code) {
    seen.push_back({Notification::Kind::kNotify, id, code, 0});
}
void RecordingDialog::OnScroll(int id, unsigned code, int position) {
    seen.push_back({Notification::Kind::kScroll, id, code, position});
}
void RecordingDialog::OnControlMouse(int id, bool pressed) {
    seen.push_back({Notification::Kind::kMouse, id, pressed ? 1 : 0, 0});
}
void RecordingDialog::OnSysCommand(unsigned command) {
    systemCommands.push_back(command);
    Dialog::OnSysCommand(command);
}

}  // namespace tra1::qtui::testing
