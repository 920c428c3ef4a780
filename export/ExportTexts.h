#pragma once

#include <string>
#include <string_view>

namespace yuzhou::texts {

inline constexpr std::string_view kExportDone = "导出完成！";
inline constexpr std::string_view kSpreadsheetFilter = "*.xlsx";
inline constexpr std::string_view kExportTitle = "导出excel";

inline std::string exportFailed(std::string_view path) {
    return "导出失败：无法写入文件“" + std::string(path) + "”，请检查文件夹是否存在、是否有写入权限和磁盘空间。";
}

inline constexpr std::string_view kExportInterrupted = "导出已取消：导出过程中列表发生了变化，请重新导出。";

} // namespace yuzhou::texts
