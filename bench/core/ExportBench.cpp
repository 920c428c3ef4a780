// Times exporting a result list of N rows (default 100,000) into a workbook and reports
// the peak memory of the process, the list included.
//   yuzhou-export-bench [ROWS] [FILE]

#include "Spreadsheet.h"
#include "search/ResultList.h"
#include "text/ByteSizeText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/resource.h>

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::string file = argc > 2 ? argv[2] : "/tmp/yuzhou-export-bench.xlsx";
    std::mt19937_64 random(42);
    yuzhou::ResultList list;
    for (std::size_t r = 0; r < rows; ++r) {
        yuzhou::ResultRow row;
        row.cells[yuzhou::kNumberColumn] = std::to_string(r + 1);
        row.cells[yuzhou::kNameColumn] = "照片" + std::to_string(random() % 100000) + ".jpg";
        row.cells[yuzhou::kPathColumn] = "/home/user/photos/" + std::to_string(random() % 1000) + "/" +
                                         row.cells[yuzhou::kNameColumn];
        row.cells[yuzhou::kSizeColumn] = yuzhou::byteSizeText(static_cast<std::int64_t>(random() % (64 << 20)));
        row.cells[yuzhou::kCreatedColumn] = "2024-01-02 03:04:05";
        row.cells[yuzhou::kModifiedColumn] = "2024-05-06 07:08:09";
        row.cells[yuzhou::kDuplicateColumn] = "无";
        row.cells[yuzhou::kMd5Column] = "0123456789abcdef0123456789abcdef";
        list.appendRow(row);
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    const yuzhou::ExportOutcome outcome = yuzhou::writeSpreadsheet(file, list);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    std::printf("%zu rows: %.2f s, %s; peak memory %.0f MB (%.0f MB before the export, the list included)\n",
                rows, took.count(), outcome == yuzhou::ExportOutcome::Written ? "written" : "FAILED",
                static_cast<double>(after.ru_maxrss) / 1024.0, static_cast<double>(before.ru_maxrss) / 1024.0);
    std::remove(file.c_str());
    return outcome == yuzhou::ExportOutcome::Written ? 0 : 1;
}
