#include "platform/win/list_view.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace tra1::win {
namespace {

std::vector<std::string> SplitAtTabs(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t tab = text.find('\t', start);
        parts.push_back(
            text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            break;
        }
        start = tab + 1;
    }
    return parts;
}

// A to Z without regard to case, as a list's header sorts for the user.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

}  // namespace

ListView::ListView(Dialog& parent, const ControlTemplate& source)
    : Control(parent, source), columns_(SplitAtTabs(source.text)) {}

void ListView::SetColumns(std::vector<std::string> columns) {
    columns_ = std::move(columns);
    if (sortColumn_ >= ColumnCount()) {
        sortColumn_ = -1;
    }
    SetRows(std::move(given_));
}

void ListView::SetRows(std::vector<Row> rows) {
    for (Row& row : rows) {
        row.resize(columns_.size());
    }
    given_ = std::move(rows);
    Sort();
    Changed(ControlChange::kItems);
}

std::string ListView::CellText(int row, int column) const {
    if (row < 0 || row >= GetCount() || column < 0 || column >= ColumnCount()) {
        return {};
    }
    return rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

bool ListView::SortBy(int column, bool ascending) {
    if (column < -1 || column >= ColumnCount()) {
        return false;
    }
    sortColumn_ = column;
    ascending_ = ascending;
    Sort();
    Changed(ControlChange::kItems);
    return true;
}

void ListView::Sort() {
    std::vector<std::size_t> order(given_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (sortColumn_ >= 0) {
        const auto column = static_cast<std::size_t>(sortColumn_);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const std::string& x = given_.at(a).at(column);
            const std::string& y = given_.at(b).at(column);
            return ascending_ ? LessIgnoringCase(x, y) : LessIgnoringCase(y, x);
        });
    }
    rows_.clear();
    rows_.reserve(order.size());
    for (const std::size_t i : order) {
        rows_.push_back(given_.at(i));
    }
}

}  // namespace tra1::win
