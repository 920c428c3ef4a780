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

namespace yuzhou {
namespace {

TEST(ResultList, ReorderingMovesTextsAndLeavesTicks) {
    ResultList list;
    for (const char* name : {"a", "b", "c"}) {
        list.appendRow(rowOf({"", "", name}));
    }
    list.setTick(0, kTicked);
    list.reorderTexts({2, 0, 1});
    EXPECT_EQ(list.cell(0, kNameColumn), "c");
    EXPECT_EQ(list.cell(1, kNameColumn), "a");
    EXPECT_EQ(list.cell(2, kNameColumn), "b");
    EXPECT_EQ(list.tick(0), kTicked);
    EXPECT_EQ(list.tick(1), kUnticked);

    list.setRowTexts(1, ResultList::Cells{"", "9", "z"});
    EXPECT_EQ(list.row(1), rowOf({"", "9", "z"}));

    std::vector<std::string> seen;
    list.forEachRow([&](std::size_t position, const ResultList::RowView& row) {
        seen.push_back(std::to_string(position) + std::string(row.cells[kNameColumn]) +
                       std::to_string(row.tick));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"0c1", "1z0", "2b0"}));
}

TEST(ResultList, ManyRewritesKeepEveryText) {
    // Rewritten texts leave dead copies behind until the list compacts itself; every row
    // must read the same before and after.
    ResultList list;
    for (int i = 0; i < 40000; ++i) {
        list.appendRow(
            rowOf({"", std::to_string(i + 1), "name" + std::to_string(i), "/p/" + std::to_string(i)}));
    }
    const std::string big(1u << 20, 'm');
    for (int round = 0; round < 40; ++round) {
        list.setCell(static_cast<std::size_t>(round), kMd5Column, big + std::to_string(round));
    }
    for (int i = 0; i < 40000; i += 997) {
        EXPECT_EQ(list.cell(static_cast<std::size_t>(i), kNameColumn), "name" + std::to_string(i));
        EXPECT_EQ(list.cell(static_cast<std::size_t>(i), kPathColumn), "/p/" + std::to_string(i));
    }
    EXPECT_EQ(list.cell(39, kMd5Column), big + "39");
    EXPECT_EQ(list.cell(40, kMd5Column), "");
}

} // namespace
} // namespace yuzhou
