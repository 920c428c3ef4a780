#pragma once

#include <array>
#include <string>
#include <string_view>

namespace yuzhou {

/// The columns of the result list, in their order.
enum Column : int {
    kTickColumn = 0,
    kNumberColumn = 1,
    kNameColumn = 2,
    kPathColumn = 3,
    kSizeColumn = 4,
    kCreatedColumn = 5,
    kModifiedColumn = 6,
    kDuplicateColumn = 7,
    kMd5Column = 8,
    kColumnCount = 9,
};

inline constexpr std::array<std::string_view, kColumnCount> kColumnTitles = {
    "", "序号", "名称", "路径", "大小", "创建时间", "修改时间", "是否存在重复", "md5"};

/// Check-box states of a row.
inline constexpr int kUnticked = 0;
inline constexpr int kTicked = 1;

/// One row of the result list: nine text cells and the state of its check box.
struct ResultRow {
    std::array<std::string, kColumnCount> cells;
    int tick = kUnticked;

    bool operator==(const ResultRow&) const = default;
};

} // namespace yuzhou
