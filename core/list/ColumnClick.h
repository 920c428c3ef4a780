#pragma once

#include "list/SortKeys.h"

#include <optional>

namespace yuzhou {

struct ProgramState;

/// How each column of the result list sorts; nothing for the check-box column.
std::optional<SortKind> columnSortKind(int column);

/// A click on a column header: sorts by that column, ascending and descending in turn
/// through one toggle that all columns share, then clears the cell colours and, while
/// duplicates are being marked, paints every row not marked "无" red again. The check-box
/// column does nothing, not even turn the toggle.
void onColumnClick(ProgramState& state, int column);

} // namespace yuzhou
