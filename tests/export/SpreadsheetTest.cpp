#include "Spreadsheet.h"

#include "ProgramRun.h"
#include "ProgramState.h"
#include "RecordingToolkit.h"
#include "TempFolder.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <tuple>

namespace yuzhou {
namespace {

struct Cell {
    std::string format;
    std::string type;
    std::string value;
};

/// The workbook as openpyxl reads it: cells by (sheet, row, column), and each sheet's size.
struct Workbook {
    std::map<std::tuple<int, int, int>, Cell> cells;
    std::vector<std::pair<int, int>> sheetSizes; // rows, columns
    bool read = false;
};

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

Workbook readWorkbook(const std::string& path) {
    Workbook workbook;
    const std::string command =
        "/usr/bin/python3 '" YUZHOU_TESTS_DIR "/export/read_workbook.py' '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return workbook;
    }
    std::string output;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, got);
    }
    workbook.read = pclose(pipe) == 0;
    std::size_t begin = 0;
    while (begin < output.size()) {
        const std::size_t end = output.find('\n', begin);
        const std::vector<std::string> fields = test::tabFields(output.substr(begin, end - begin));
        begin = end == std::string::npos ? output.size() : end + 1;
        if (fields[0] == "sheet") {
            workbook.sheetSizes.emplace_back(std::stoi(fields[2]), std::stoi(fields[3]));
        } else if (fields.size() == 6) {
            workbook.cells[{std::stoi(fields[0]), std::stoi(fields[1]), std::stoi(fields[2])}] = {
                fields[3], fields[4], unescape(fields[5])};
        }
    }
    return workbook;
}

ResultRow rowOf(std::vector<std::string> texts) {
    ResultRow row;
    for (std::size_t c = 0; c < texts.size(); ++c) {
        row.cells[c + 1] = texts[c];
    }
    return row;
}

const std::vector<std::string> kTitles = {"",         "序号",     "名称",         "路径", "大小",
                                          "创建时间", "修改时间", "是否存在重复", "md5"};

void expectSheetHolds(const Workbook& workbook, int sheet, const std::vector<ResultRow>& rows) {
    for (int c = 0; c < kColumnCount; ++c) {
        const auto title = workbook.cells.find({sheet, 1, c + 1});
        ASSERT_NE(title, workbook.cells.end()) << "title " << c;
        EXPECT_EQ(title->second.value, kTitles[static_cast<std::size_t>(c)]);
        EXPECT_EQ(title->second.format, "@");
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kColumnCount; ++c) {
            const std::string& expected = rows[r].cells[static_cast<std::size_t>(c)];
            const auto cell = workbook.cells.find({sheet, static_cast<int>(r) + 2, c + 1});
            ASSERT_NE(cell, workbook.cells.end()) << "row " << r << " column " << c;
            EXPECT_EQ(cell->second.format, "@") << "row " << r << " column " << c;
            EXPECT_EQ(cell->second.value, expected) << "row " << r << " column " << c;
            // Texts stay texts, however much they look like numbers or dates.
            EXPECT_EQ(cell->second.type, expected.empty() ? "NoneType" : "str")
                << "row " << r << " column " << c;
        }
    }
}

TEST(Spreadsheet, EveryCellHoldsTheListsTextFormattedAsText) {
    test::TempFolder folder;
    ResultList list;
    const std::vector<ResultRow> rows = {
        rowOf({"1", "照片 2024.jpg", "/home/用户/照片 2024.jpg", "1.50 KB", "2024-01-02 03:04:05",
               "2024-01-02 03:04:05", "重复文件第1组", "0123456789abcdef0123456789abcdef"}),
        rowOf({"2", "0", "/tmp/0", "0", "", "", "无", ""}),
        rowOf({"10", "1e5", "/tmp/1e5", "10.0 MB", "1999-12-31 23:59:59", "2000-01-01 00:00:00", "无法读取",
               "00000000000000000000000000000001"}),
        rowOf({"3", "tab\there", "/tmp/new\nline", "532 B", "", "", "", ""}),
    };
    for (const ResultRow& row : rows) {
        list.appendRow(row);
    }
    const std::string path = folder / "list.xlsx";
    ASSERT_EQ(writeSpreadsheet(path, list), ExportOutcome::Written);
    const Workbook workbook = readWorkbook(path);
    ASSERT_TRUE(workbook.read);
    ASSERT_EQ(workbook.sheetSizes.size(), 1u);
    EXPECT_EQ(workbook.sheetSizes[0].first, 5);
    expectSheetHolds(workbook, 0, rows);
}

TEST(Spreadsheet, AnEmptyListGivesTheTitleRowOnly) {
    test::TempFolder folder;
    ResultList list;
    const std::string path = folder / "empty.xlsx";
    ASSERT_EQ(writeSpreadsheet(path, list), ExportOutcome::Written);
    const Workbook workbook = readWorkbook(path);
    ASSERT_TRUE(workbook.read);
    ASSERT_EQ(workbook.sheetSizes, (std::vector<std::pair<int, int>>{{1, 9}}));
    expectSheetHolds(workbook, 0, {});
}

TEST(Spreadsheet, ALongListGoesOnOverFurtherSheetsEachWithTheTitles) {
    test::TempFolder folder;
    ResultList list;
    std::vector<ResultRow> rows;
    for (int i = 1; i <= 7; ++i) {
        rows.push_back(rowOf({std::to_string(i), "f" + std::to_string(i)}));
        list.appendRow(rows.back());
    }
    const std::string path = folder / "sheets.xlsx";
    ASSERT_EQ(writeSpreadsheet(path, list, 3), ExportOutcome::Written);
    const Workbook workbook = readWorkbook(path);
    ASSERT_EQ(workbook.sheetSizes.size(), 3u);
    expectSheetHolds(workbook, 0, {rows[0], rows[1], rows[2]});
    expectSheetHolds(workbook, 1, {rows[3], rows[4], rows[5]});
    expectSheetHolds(workbook, 2, {rows[6]});
}

TEST(Spreadsheet, TheNameEndsInXlsx) {
    EXPECT_EQ(spreadsheetFileName("/a/list"), "/a/list.xlsx");
    EXPECT_EQ(spreadsheetFileName("/a/list.xlsx"), "/a/list.xlsx");
    EXPECT_EQ(spreadsheetFileName("/a/LIST.XLSX"), "/a/LIST.XLSX");
    EXPECT_EQ(spreadsheetFileName("/a/x.xls"), "/a/x.xls.xlsx");
}

TEST(Spreadsheet, TheCommandOnlyReportsAWorkbookThatWasWritten) {
    test::TempFolder folder;
    ProgramState state;
    state.results.appendRow(rowOf({"1", "a.txt"}));
    test::RecordingToolkit toolkit;

    // Cancel: nothing written, nothing said.
    exportToSpreadsheet(state.results, toolkit);
    EXPECT_TRUE(toolkit.messages().empty());
    EXPECT_EQ(toolkit.saveFilter, "*.xlsx");

    toolkit.saveFile = folder / "结果";
    exportToSpreadsheet(state.results, toolkit);
    EXPECT_EQ(toolkit.messageTexts(), std::vector<std::string>{"导出完成！"});
    EXPECT_TRUE(readWorkbook(folder / "结果.xlsx").read);
    struct stat st {};
    ASSERT_EQ(stat((folder / "结果.xlsx").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & 0044, 0u) << "readable like any document";

    toolkit.saveFile = folder / "missing/list.xlsx";
    exportToSpreadsheet(state.results, toolkit);
    EXPECT_EQ(toolkit.messageTexts().back(), "导出失败：无法写入文件“" + folder / "missing/list.xlsx" +
                                                 "”，请检查文件夹是否存在、是否有写入权限和磁盘空间。");
}

TEST(Spreadsheet, AFailedExportLeavesTheOldFileIntact) {
    test::TempFolder folder;
    chmod(folder.path().c_str(), 0755);
    const std::string locked = folder.makeFolder("locked");
    const std::string old = folder.write("locked/list.xlsx", "the old workbook");
    chmod(locked.c_str(), 0555);
    EXPECT_TRUE(test::runAsOrdinaryUser(
        [](const std::string& path) {
            ResultList list;
            list.appendRow(rowOf({"1", "a"}));
            return writeSpreadsheet(path, list) == ExportOutcome::Failed;
        },
        old));
    EXPECT_EQ(test::readWholeFile(old), "the old workbook");
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1) << "no temporary file left";
}

TEST(Spreadsheet, AListChangedDuringTheExportStopsIt) {
    test::TempFolder folder;
    ResultList list;
    for (int i = 0; i < 10000; ++i) {
        list.appendRow(rowOf({std::to_string(i + 1), "f"}));
    }
    struct Context {
        ResultList* list;
    } context{&list};
    const std::string path = folder / "changed.xlsx";
    EXPECT_EQ(writeSpreadsheet(
                  path, list, kRowsPerSheet,
                  [](void* c) { static_cast<Context*>(c)->list->setCell(0, kNameColumn, "sorted"); },
                  &context),
              ExportOutcome::Interrupted);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 0);
}

} // namespace
} // namespace yuzhou
