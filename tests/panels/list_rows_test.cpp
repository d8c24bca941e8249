// Rows brought to a wanted list in place: unchanged rows are left alone, and the selection stays
// while its row is still there, even when that row's text was replaced.

#include "panels/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/input_rename_dlg.h"
#include "platform/win/list_box.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using Rows = std::vector<std::string>;

// Any panel's list box will do; the INPUT RENAME panel's default names are one.
using ListRowsTest = test::PanelTest<CINPUTRENAMEDlg>;

TEST_F(ListRowsTest, ReplacesOnlyChangedRowsAndKeepsTheSelectionWhileItsRowStays) {
    Open();
    win::ListBox& list = List(CINPUTRENAMEDlg::kDefaultNameList);
    SyncListRows(list, {"A", "B", "C"});
    EXPECT_EQ(list.Items(), (Rows{"A", "B", "C"}));

    list.SetCurSel(1);
    test::ChangeCounter counter;
    list.SetObserver(&counter);
    SyncListRows(list, {"A", "B", "C"});
    EXPECT_EQ(counter.changes, 0);

    SyncListRows(list, {"A", "b", "C", "D"});
    EXPECT_EQ(list.Items(), (Rows{"A", "b", "C", "D"}));
    EXPECT_EQ(list.GetCurSel(), 1);

    // A selected row that goes with the surplus leaves no selection behind.
    list.SetCurSel(3);
    SyncListRows(list, {"A", "b"});
    EXPECT_EQ(list.Items(), (Rows{"A", "b"}));
    EXPECT_EQ(list.GetCurSel(), win::LB_ERR);
    list.SetObserver(nullptr);
}

}  // namespace
}  // namespace tra1
