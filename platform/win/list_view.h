#pragma once
// A list of rows in columns under a header, the user sorting it by a click on a column's
// header: the first click sorts that column from A to Z, a second click on it from Z to A. Rows
// that read the same in the sort column keep the order they were given in.
//
// The header texts come from the template's text, one per column separated by tabs
// ("Setting\tThis image\tThe other").

#include <string>
#include <vector>

#include "platform/win/control.h"

namespace tra1::win {

class ListView final : public Control {
public:
    using Row = std::vector<std::string>;

    ListView(Dialog& parent, const ControlTemplate& source);

    // Replaces the header texts; the rows keep their cells (cut or padded to the columns).
    void SetColumns(std::vector<std::string> columns);
    const std::vector<std::string>& Columns() const { return columns_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }

    // Replaces every row, each cut or padded to the columns, and sorts them as the list is
    // sorted.
    void SetRows(std::vector<Row> rows);
    // The rows in the order shown.
    const std::vector<Row>& Rows() const { return rows_; }
    int GetCount() const { return static_cast<int>(rows_.size()); }
    // A cell's text; "" outside the rows or columns.
    std::string CellText(int row, int column) const;

    // Sorts by `column` (-1: the order the rows were given in); false for a column that does
    // not exist.
    bool SortBy(int column, bool ascending);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return ascending_; }

private:
    void Sort();

    std::vector<std::string> columns_;
    std::vector<Row> given_;  // as SetRows had them
    std::vector<Row> rows_;   // as shown
    int sortColumn_ = -1;
    bool ascending_ = true;
};

}  // namespace tra1::win
