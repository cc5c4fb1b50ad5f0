// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <string>
#include <vector>

namespace test_support {

/// The texts of one list row: the row's own text, then its first `columns` − 1 cells.
using Row = std::vector<std::string>;

/// Row `i` (from 1) of `list`.
inline Row rowOf(platform::ListView& list, int i, int columns) {
    platform::ListItem& item = list.ListItems(i);
    Row cells{item.Text()};
    for (int c = 1; c < columns; ++c) {
        cells.push_back(item.SubItems(c));
    }
    return cells;
}

/// Every row of `list`, in list order.
inline std::vector<Row> rowsOf(platform::ListView& list, int columns) {
    std::vector<Row> rows;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        rows.push_back(rowOf(list, i, columns));
    }
    return rows;
}

/// Adds a row at the end of `list` silently: its text, then its cells from the first column on.
inline void addRow(platform::ListView& list, const std::string& text, const std::vector<std::string>& cells) {
    platform::ListItem& item = list.ListItems.Add(text);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        item.setSubItems(static_cast<int>(c) + 1, cells[c]);
    }
}

/// Replaces the rows of `list` silently, as a loaded project fills it: each row's text, then its cells.
inline void setRows(platform::ListView& list, const std::vector<Row>& rows) {
    list.ListItems.Clear();
    for (const Row& row : rows) {
        addRow(list, row.at(0), Row(row.begin() + 1, row.end()));
    }
}

} // namespace test_support
