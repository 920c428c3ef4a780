#include "TempFolder.h"
#include "search/ResultList.h"
#include "search/ResultTexts.h"

#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>

namespace yuzhou {
namespace {

TEST(ResultRows, SizeTextsOfRealFiles) {
    test::TempFolder tree;
    struct Case {
        std::int64_t size;
        std::string text;
    };
    const Case cases[] = {
        {0, "0"}, {532, "532 B"}, {1023, "1023 B"}, {1024, "1.00 KB"}, {10485760, "10.0 MB"}};
    for (const Case& c : cases) {
        const std::string path = tree.writeSparse("f" + std::to_string(c.size), c.size);
        EXPECT_EQ(fileSizeBytes(path), c.size);
        EXPECT_EQ(fileSizeText(path), c.text);
    }
    EXPECT_EQ(fileSizeBytes(tree / "missing"), 0);
    EXPECT_EQ(fileSizeText(tree / "missing"), "0");
}

TEST(ResultRows, TimesAreLocal) {
    test::TempFolder tree;
    const std::string path = tree.write("a.txt", "x");
    // 2024-01-02 08:00:00 UTC
    test::setModificationTime(path, 1704182400);
    const test::ScopedTimeZone china("Asia/Shanghai");
    const FileTimesText times = fileTimesText(path);
    EXPECT_EQ(times.modified, "2024-01-02 16:00:00");
    EXPECT_TRUE(std::regex_match(times.created, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << times.created;

    const test::ScopedTimeZone utc("UTC");
    EXPECT_EQ(fileTimesText(path).modified, "2024-01-02 08:00:00");
    EXPECT_EQ(fileTimesText(tree / "missing").modified, "");
}

TEST(ResultRows, RowOfAFileCarriesNumberNamePathSizeAndTimes) {
    test::TempFolder tree;
    const std::string path = tree.write("照片.jpg", std::string(1536, 'x'));
    test::setModificationTime(path, 1704182400);
    const test::ScopedTimeZone utc("UTC");
    ResultList results;
    ASSERT_TRUE(addResultRow(results, "照片.jpg", path));
    const ResultRow row = results.row(0);
    EXPECT_EQ(row.cells[kTickColumn], "");
    EXPECT_EQ(row.cells[kNumberColumn], "1");
    EXPECT_EQ(row.cells[kNameColumn], "照片.jpg");
    EXPECT_EQ(row.cells[kPathColumn], path);
    EXPECT_EQ(row.cells[kSizeColumn], "1.50 KB");
    EXPECT_EQ(row.cells[kModifiedColumn], "2024-01-02 08:00:00");
    EXPECT_FALSE(row.cells[kCreatedColumn].empty());
    EXPECT_EQ(row.cells[kDuplicateColumn], "");
    EXPECT_EQ(row.cells[kMd5Column], "");
    EXPECT_EQ(row.tick, kUnticked);
}

TEST(ResultRows, AVanishedFileGetsNoRowAndNumbersStayConsecutive) {
    test::TempFolder tree;
    ResultList results;
    EXPECT_TRUE(addResultRow(results, "a", tree.write("a")));
    EXPECT_FALSE(addResultRow(results, "gone", tree / "gone"));
    EXPECT_TRUE(addResultRow(results, "b", tree.write("b")));
    ASSERT_EQ(results.rowCount(), 2u);
    EXPECT_EQ(results.cell(1, kNumberColumn), "2");
}

TEST(ResultRows, AFileThatCannotBeReadIsListedWithItsSizeAndNoTimes) {
    test::TempFolder tree;
    chmod(tree.path().c_str(), 0755);
    const std::string path = tree.write("locked.bin", std::string(2048, 'x'));
    chmod(path.c_str(), 0200);
    EXPECT_TRUE(test::runAsOrdinaryUser(
        [](const std::string& file) {
            ResultList results;
            if (!addResultRow(results, "locked.bin", file)) {
                return false;
            }
            const ResultRow row = results.row(0);
            return row.cells[kSizeColumn] == "2.00 KB" && row.cells[kCreatedColumn].empty() &&
                   row.cells[kModifiedColumn].empty() && fileTimesText(file).created.empty();
        },
        path));
}

} // namespace
} // namespace yuzhou
