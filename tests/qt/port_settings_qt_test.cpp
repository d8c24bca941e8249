// The port settings in the Qt front end: kept in a QSettings file between runs, and the dialog
// driven through its real widgets (typing in an editable combo box, picking from its list).

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/port_settings_dlg.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/qt/qt_port_settings_store.h"
#include "platform/serial/com_port_map.h"
#include "platform/win/combo_box.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

namespace ps = port_settings;

TEST(QtPortSettingsStore, KeepsEachNumbersSettingBetweenRuns) {
    testing::EnsureQtApp();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = QDir(folder.path()).filePath(QStringLiteral("tr-a1-editor.conf"));
    {
        QtPortSettingsStore store(file);
        for (int n = 1; n <= 8; ++n) {
            EXPECT_EQ(store.Load(n), std::nullopt) << n;
        }
        serial::ComPortMap map;
        map.SetStored(1, std::string("/dev/serial/by-id/usb-FTDI_x-if00-port0"));
        map.SetStored(2, std::string("rfc2217://10.0.0.7:2217"));
        map.SetStored(3, std::string());
        EXPECT_TRUE(store.Save(map));
        EXPECT_EQ(store.FileName(), file);
    }
    QtPortSettingsStore again(file);
    serial::ComPortMap loaded;
    serial::LoadPortSettings(again, loaded);
    EXPECT_EQ(loaded.Stored(1), "/dev/serial/by-id/usb-FTDI_x-if00-port0");
    EXPECT_EQ(loaded.Stored(2), "rfc2217://10.0.0.7:2217");
    EXPECT_EQ(loaded.Stored(3), "");  // mapped to nothing, not forgotten
    EXPECT_EQ(loaded.Stored(4), std::nullopt);
    EXPECT_EQ(loaded.Target(4), "/dev/ttyS3");

    // A number the user takes back to "never set" leaves the file.
    loaded.SetStored(2, std::nullopt);
    EXPECT_TRUE(again.Save(loaded));
    EXPECT_EQ(QtPortSettingsStore(file).Load(2), std::nullopt);

    // A file that cannot be written is a failed save.
    QtPortSettingsStore nowhere(QStringLiteral("/proc/tra1-no-such-folder/tr-a1-editor.conf"));
    EXPECT_FALSE(nowhere.Save(loaded));
}

TEST(PortSettingsDialogQt, TypingAndPickingInTheRealWidgetsReachTheSettings) {
    testing::EnsureQtApp();
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd frontEnd(loop);
    win::ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);
    serial::ComPortMap map;
    CPORTSETTINGSDlg dialog(loop, PortSettings{&map, nullptr, [] {
                                                   return std::vector<serial::SerialDeviceInfo>{
                                                       {"/dev/ttyUSB0", "FTDI FT232R USB UART"}};
                                               }});
    ASSERT_TRUE(dialog.Create());
    dialog.Show(true);
    DialogWidget* widget = frontEnd.Host().WidgetFor(dialog.Handle());
    ASSERT_NE(widget, nullptr);

    auto* com1 = qobject_cast<QComboBox*>(widget->ControlWidget(ps::TargetCombo(1)));
    auto* com2 = qobject_cast<QComboBox*>(widget->ControlWidget(ps::TargetCombo(2)));
    ASSERT_NE(com1, nullptr);
    ASSERT_NE(com2, nullptr);
    ASSERT_TRUE(com1->isEditable());
    EXPECT_EQ(com1->lineEdit()->text(), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(com1->itemText(0), QStringLiteral("/dev/ttyUSB0  (FTDI FT232R USB UART)"));

    com1->lineEdit()->selectAll();
    QTest::keyClicks(com1->lineEdit(), QStringLiteral("socket://127.0.0.1:4001"));
    EXPECT_EQ(dialog.Get<win::ComboBox>(ps::TargetCombo(1))->GetWindowText(),
              "socket://127.0.0.1:4001");

    // Picking the adapter from the list leaves its bare path in the field.
    com2->activated(0);
    testing::FlushQtEvents();
    EXPECT_EQ(dialog.Get<win::ComboBox>(ps::TargetCombo(2))->GetWindowText(), "/dev/ttyUSB0");
    EXPECT_EQ(com2->lineEdit()->text(), QStringLiteral("/dev/ttyUSB0"));

    ASSERT_TRUE(win::user::Click(dialog, win::IDOK));
    EXPECT_EQ(map.Target(1), "socket://127.0.0.1:4001");
    EXPECT_EQ(map.Target(2), "/dev/ttyUSB0");
    EXPECT_TRUE(prompter.Boxes().empty());
    testing::FlushQtEvents();
}

}  // namespace
}  // namespace tra1::qtui
