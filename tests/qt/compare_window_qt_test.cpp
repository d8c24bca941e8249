// The compare window in the Qt front end: its list is a real list with a header, and a click on
// a header sorts the rows the program holds, with the header showing the order.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeWidget>

#include "app/compare_dlg.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/list_view.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "resources/compare_ids.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

namespace cw = compare_window;

TEST(CompareWindowQt, AHeaderClickSortsTheRowsTheProgramHolds) {
    testing::EnsureQtApp();
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd frontEnd(loop);
    win::ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);
    CompareResult result;
    result.kind = CompareResult::Kind::kReceiver;
    result.differences = {{"Speaker Level", "FRONT L", "0.0 dB", "-2.5 dB"},
                          {"Delay", "Audio Delay", "0 msec", "5 msec"},
                          {"THX SET", "THX Ultra2 Subwoofer", "No", "Yes"}};
    CCompareDlg dialog(loop, std::move(result), win::WindowHandle{});
    ASSERT_TRUE(dialog.Create());
    dialog.Show(true);
    DialogWidget* widget = frontEnd.Host().WidgetFor(dialog.Handle());
    ASSERT_NE(widget, nullptr);
    auto* tree = qobject_cast<QTreeWidget*>(widget->ControlWidget(cw::kDifferenceList));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->headerItem()->text(2), QStringLiteral("The receiver"));
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Speaker Level / FRONT L"));

    emit tree->header()->sectionClicked(0);
    testing::FlushQtEvents();
    auto* list = dialog.Get<win::ListView>(cw::kDifferenceList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->SortColumn(), 0);
    EXPECT_TRUE(list->SortAscending());
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Delay / Audio Delay"));
    EXPECT_EQ(tree->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(tree->header()->sortIndicatorOrder(), Qt::AscendingOrder);

    emit tree->header()->sectionClicked(0);
    testing::FlushQtEvents();
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("THX SET / THX Ultra2 Subwoofer"));
    EXPECT_EQ(tree->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    dialog.DestroyWindow();
    loop.DrainPosted();
}

}  // namespace
}  // namespace tra1::qtui
