#include "list/SortByColumn.h"
#include "search/ResultList.h"

#include <gtest/gtest.h>
#include <random>

namespace yuzhou {
namespace {

using Order = std::vector<std::size_t>;

Order sortOrderOf(const std::vector<std::string>& texts, SortKind kind, bool ascending = true,
                  bool caseSensitive = true) {
    return sortOrder(std::vector<std::string_view>(texts.begin(), texts.end()), kind, ascending,
                     caseSensitive);
}

/// Sorting the slow way, exactly as described: each key inserted by insertPosition into
/// growing arrays of keys and rows.
Order insertionOrder(const std::vector<std::string>& texts, SortKind kind, bool ascending) {
    Order order;
    if (kind == SortKind::Text) {
        std::vector<std::string> keys;
        for (std::size_t r = 0; r < texts.size(); ++r) {
            const std::size_t p =
                insertPosition(keys, texts[r], [](const std::string& x, const std::string& k) {
                    return compareTextKeys(x, k, true);
                });
            keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(p - 1), texts[r]);
            order.insert(order.begin() + static_cast<std::ptrdiff_t>(p - 1), r);
        }
    } else {
        std::vector<double> keys;
        for (std::size_t r = 0; r < texts.size(); ++r) {
            const double x = kind == SortKind::Number ? numberKey(texts[r]) : timeKey(texts[r]);
            const std::size_t p = insertPosition(keys, x, compareNumberKeys);
            keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(p - 1), x);
            order.insert(order.begin() + static_cast<std::ptrdiff_t>(p - 1), r);
        }
    }
    if (!ascending) {
        std::reverse(order.begin(), order.end());
    }
    return order;
}

TEST(Sort, TiesFollowTheInsertionRule) {
    // 5, 5, 7 keeps its order; in 5, 7, 5 the third key equals the first while the last is
    // greater, so it goes in front.
    EXPECT_EQ(sortOrderOf({"5", "5", "7"}, SortKind::Number), (Order{0, 1, 2}));
    EXPECT_EQ(sortOrderOf({"5", "7", "5"}, SortKind::Number), (Order{2, 0, 1}));
    EXPECT_EQ(sortOrderOf({"5", "7", "5"}, SortKind::Number, false), (Order{1, 0, 2})) << "the exact reverse";
    // The binary search meets an equal key in the middle: right after it.
    EXPECT_EQ(sortOrderOf({"1", "5", "9", "5"}, SortKind::Number), (Order{0, 1, 3, 2}));
}

TEST(Sort, KeysOfEachKind) {
    // Sizes sort by their leading number only.
    EXPECT_EQ(sortOrderOf({"900 KB", "1.5 MB", "0"}, SortKind::Number), (Order{2, 1, 0}));
    // Full-width digits count as digits.
    EXPECT_EQ(sortOrderOf({"１２", "3", "１"}, SortKind::Number), (Order{2, 1, 0}));
    EXPECT_DOUBLE_EQ(numberKey("１２．５ＫＢ"), 12.5);
    // Numbers within the tolerance are equal.
    EXPECT_EQ(compareNumberKeys(1.0, 1.00000005), 0);
    EXPECT_EQ(compareNumberKeys(1.0, 1.0000002), -1);

    // A time that does not read as a date sorts before every real date.
    EXPECT_EQ(sortOrderOf({"2024-01-02 03:04:05", "", "1999-12-31 23:59:59", "2024-13-01 00:00:00"},
                          SortKind::Time),
              (Order{3, 1, 2, 0}));
    EXPECT_DOUBLE_EQ(timeKey("1899-12-30 00:00:00"), 0.0);
    EXPECT_DOUBLE_EQ(timeKey("1900-01-01 12:00:00"), 2.5);
    EXPECT_DOUBLE_EQ(timeKey("2024-01-02"), timeKey("2024-01-02 00:00:00"));
    EXPECT_DOUBLE_EQ(timeKey("not a date"), timeKey("0100-01-01"));
    EXPECT_DOUBLE_EQ(timeKey("2023-02-29 00:00:00"), timeKey("")) << "no such day";

    // Texts in GBK order: ASCII first, then 啊 (B0A1) before 阿 (B0A2) before 中 (D6D0).
    EXPECT_EQ(sortOrderOf({"中", "阿", "b", "啊", "B"}, SortKind::Text), (Order{4, 2, 3, 1, 0}));
    EXPECT_EQ(sortOrderOf({"b", "B", "a"}, SortKind::Text, true, false), (Order{2, 0, 1})) << "case ignored";
}

TEST(Sort, TheFastSortGivesExactlyTheInsertionOrder) {
    std::mt19937 random(20261211);
    for (int round = 0; round < 60; ++round) {
        const std::size_t n = 1 + random() % 400;
        const int distinct = 1 + static_cast<int>(random() % 12); // few distinct keys: many ties
        std::vector<std::string> numbers;
        std::vector<std::string> texts;
        std::vector<std::string> times;
        for (std::size_t i = 0; i < n; ++i) {
            const int k = static_cast<int>(random() % static_cast<unsigned>(distinct));
            numbers.push_back(std::to_string(k) + (random() % 2 ? ".0 KB" : " B"));
            static const char* words[] = {"中", "阿", "a", "B", "文档", "", "啊", "z"};
            texts.push_back(std::string(words[k % 8]) + std::to_string(k / 8));
            times.push_back(k == 0 ? "" : "2024-01-" + std::to_string(10 + k) + " 08:00:00");
        }
        for (bool ascending : {true, false}) {
            SCOPED_TRACE(round);
            EXPECT_EQ(sortOrderOf(numbers, SortKind::Number, ascending),
                      insertionOrder(numbers, SortKind::Number, ascending));
            EXPECT_EQ(sortOrderOf(texts, SortKind::Text, ascending),
                      insertionOrder(texts, SortKind::Text, ascending));
            EXPECT_EQ(sortOrderOf(times, SortKind::Time, ascending),
                      insertionOrder(times, SortKind::Time, ascending));
        }
    }
}

TEST(Sort, SortingTheListMovesTextsButNotTicks) {
    ResultList list;
    for (const char* size : {"3 B", "1 B", "2 B"}) {
        ResultRow row;
        row.cells[kSizeColumn] = size;
        row.cells[kNameColumn] = std::string("name of ") + size;
        list.appendRow(row);
    }
    list.setTick(0, kTicked);
    sortByColumn(list, kSizeColumn, SortKind::Number);
    EXPECT_EQ(list.cell(0, kNameColumn), "name of 1 B");
    EXPECT_EQ(list.cell(2, kNameColumn), "name of 3 B");
    EXPECT_EQ(list.tick(0), kTicked) << "the tick stays on its row position";
    EXPECT_EQ(list.tick(2), kUnticked);

    ResultList empty;
    sortByColumn(empty, kSizeColumn, SortKind::Number);
    EXPECT_EQ(empty.rowCount(), 0u);
}

} // namespace
} // namespace yuzhou
