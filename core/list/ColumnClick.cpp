#include "list/ColumnClick.h"

#include "ProgramState.h"
#include "duplicates/DuplicateTexts.h"
#include "list/SortByColumn.h"

namespace yuzhou {

std::optional<SortKind> columnSortKind(int column) {
    switch (column) {
    case kNumberColumn:
    case kSizeColumn:
        return SortKind::Number;
    case kNameColumn:
    case kPathColumn:
    case kDuplicateColumn:
    case kMd5Column:
        return SortKind::Text;
    case kCreatedColumn:
    case kModifiedColumn:
        return SortKind::Time;
    default:
        return std::nullopt;
    }
}

void onColumnClick(ProgramState& state, int column) {
    const std::optional<SortKind> kind = columnSortKind(column);
    if (!kind) {
        return;
    }
    const bool ascending = state.sortToggle == 0;
    state.sortToggle = ascending ? 1 : 0;
    sortByColumn(state.results, column, *kind, ascending, true);
    state.colours.clearCellColours();
    if (!state.settings.findDuplicates) {
        return;
    }
    state.results.forEachRow([&](std::size_t position, const ResultList::RowView& row) {
        if (row.cells[kDuplicateColumn] != texts::kNoDuplicateMark) {
            for (int c = kNumberColumn; c <= kDuplicateColumn; ++c) {
                state.colours.setCellColour(static_cast<int>(position), c, kRed);
            }
        }
    });
}

} // namespace yuzhou
