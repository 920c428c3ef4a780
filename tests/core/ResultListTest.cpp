#include "search/ResultList.h"

#include <gtest/gtest.h>

namespace yuzhou {
namespace {

ResultRow rowOf(std::initializer_list<std::string> texts) {
    ResultRow row;
    std::size_t c = 0;
    for (const std::string& text : texts) {
        row.cells[c++] = text;
    }
    return row;
}

TEST(ResultList, KeepsRowsInOrderAndGivesTheirPositions) {
    ResultList list;
    EXPECT_EQ(list.appendRow(rowOf({"", "1", "a.jpg", "/x/a.jpg", "1 B"})), 0u);
    EXPECT_EQ(list.appendRow(rowOf({"", "2", "b.jpg", "/x/b.jpg"})), 1u);
    EXPECT_EQ(list.rowCount(), 2u);
    EXPECT_EQ(list.cell(0, kNameColumn), "a.jpg");
    EXPECT_EQ(list.cell(1, kPathColumn), "/x/b.jpg");
    EXPECT_EQ(list.cell(1, kSizeColumn), "");
    EXPECT_EQ(list.row(0), rowOf({"", "1", "a.jpg", "/x/a.jpg", "1 B"}));
    // Out of range reads are empty, writes ignored.
    EXPECT_EQ(list.cell(2, kNameColumn), "");
    EXPECT_EQ(list.cell(0, kColumnCount), "");
    EXPECT_EQ(list.cell(0, -1), "");
    list.setCell(5, kNameColumn, "x");
    list.setTick(5, kTicked);
    EXPECT_EQ(list.rowCount(), 2u);
}

TEST(ResultList, RewritingACellKeepsTheOtherCells) {
    ResultList list;
    list.appendRow(rowOf({"", "1", "name", "/path/name", "3 B", "c", "m", "", ""}));
    list.setCell(0, kDuplicateColumn, "重复文件第1组");
    list.setCell(0, kNameColumn, "a much longer name than before");
    list.setCell(0, kSizeColumn, "");
    list.setCell(0, kMd5Column, "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(list.row(0), rowOf({"", "1", "a much longer name than before", "/path/name", "", "c", "m",
                                  "重复文件第1组", "d41d8cd98f00b204e9800998ecf8427e"}));
}

TEST(ResultList, TicksStayWithTheRowPosition) {
    ResultList list;
    list.appendRow(rowOf({}));
    list.appendRow(rowOf({}));
    EXPECT_EQ(list.tick(0), kUnticked) << "a new row is not ticked";
    list.setAllTicks(kTicked);
    list.setTick(1, kUnticked);
    list.setCell(1, kNameColumn, "moved text");
    EXPECT_EQ(list.tick(0), kTicked);
    EXPECT_EQ(list.tick(1), kUnticked);
}

TEST(ResultList, RevisionAndListenerTellObserversOfEveryChange) {
    ResultList list;
    int calls = 0;
    list.setChangeListener([&] { ++calls; });
    const ResultList::Revision start = list.revision();
    list.appendRow(rowOf({}));
    list.appendRow(rowOf({}));
    EXPECT_EQ(list.revision().rows, 2u);
    EXPECT_EQ(list.revision().clears, start.clears);
    list.setCell(0, kMd5Column, "x");
    EXPECT_GT(list.revision().edits, start.edits);
    list.clear();
    EXPECT_EQ(list.revision().rows, 0u);
    EXPECT_EQ(list.revision().clears, start.clears + 1);
    EXPECT_EQ(calls, 4);
}

} // namespace
} // namespace yuzhou
