// Times one header click on each column of a result list of a million rows (or the
// number given), filled with texts like a search's: numbers, names with Chinese, paths,
// size texts, times and md5 texts.
//   yuzhou-sort-bench [ROWS]

#include "list/SortByColumn.h"
#include "search/ResultList.h"
#include "text/ByteSizeText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    std::mt19937_64 random(42);
    static const char* words[] = {"照片", "report", "预览视频", "IMG_", "样片", "notes", "文档", "backup"};
    yuzhou::ResultList list;
    for (std::size_t r = 0; r < rows; ++r) {
        yuzhou::ResultRow row;
        row.cells[yuzhou::kNumberColumn] = std::to_string(r + 1);
        row.cells[yuzhou::kNameColumn] =
            std::string(words[random() % 8]) + std::to_string(random() % 100000) + ".jpg";
        row.cells[yuzhou::kPathColumn] = "/home/user/" + std::string(words[random() % 8]) + "/" +
                                         std::to_string(random() % 1000) + "/" +
                                         row.cells[yuzhou::kNameColumn];
        row.cells[yuzhou::kSizeColumn] =
            yuzhou::byteSizeText(static_cast<std::int64_t>(random() % (64 << 20)));
        char time[32];
        std::snprintf(time, sizeof time, "20%02d-%02d-%02d %02d:%02d:%02d", int(random() % 25),
                      int(1 + random() % 12), int(1 + random() % 28), int(random() % 24), int(random() % 60),
                      int(random() % 60));
        row.cells[yuzhou::kCreatedColumn] = time;
        row.cells[yuzhou::kModifiedColumn] = time;
        row.cells[yuzhou::kDuplicateColumn] =
            random() % 4 == 0 ? "重复文件第" + std::to_string(random() % 5000) + "组" : "无";
        char md5[33];
        std::snprintf(md5, sizeof md5, "%016llx%016llx", static_cast<unsigned long long>(random()),
                      static_cast<unsigned long long>(random()));
        row.cells[yuzhou::kMd5Column] = md5;
        list.appendRow(row);
    }
    std::printf("%zu rows\n", rows);
    for (int column = 1; column < yuzhou::kColumnCount; ++column) {
        const auto kind = column == 1 || column == 4   ? yuzhou::SortKind::Number
                          : column == 5 || column == 6 ? yuzhou::SortKind::Time
                                                       : yuzhou::SortKind::Text;
        const auto start = std::chrono::steady_clock::now();
        yuzhou::sortByColumn(list, column, kind, column % 2 == 0);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("column %d %-14s %.3f s\n", column, std::string(yuzhou::kColumnTitles[column]).c_str(),
                    took.count());
    }
    return 0;
}
