#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yuzhou::texts {

// The column "是否存在重复".
inline constexpr std::string_view kCandidateMark = "加入识别";
inline constexpr std::string_view kNoDuplicateMark = "无";
/// A candidate whose file could not be read to the end: it may have changed, vanished or
/// be unreadable, so nothing is known of its copies.
inline constexpr std::string_view kUnreadableMark = "无法读取";

inline std::string groupMark(std::size_t group) {
    return "重复文件第" + std::to_string(group) + "组";
}

inline constexpr std::string_view kFingerprintPane = "开始识别重复文件：";
inline constexpr int kFingerprintPaneWidth = 150;
inline constexpr std::string_view kPassFinishedPane = "任务完成！";

inline std::string noDuplicatesSummary(std::size_t rows) {
    return "共找到" + std::to_string(rows) + "项文件。没有发现重复文件。";
}

inline std::string noDuplicatesMessage(std::size_t rows) {
    return "查找完成，共找到" + std::to_string(rows) + "项文件。没有发现重复文件。";
}

inline std::string duplicatesSummary(std::size_t rows, std::size_t groups) {
    return "共找到" + std::to_string(rows) + "项文件。其中发现重复文件：" + std::to_string(groups) + "组。";
}

inline std::string duplicatesMessage(std::size_t rows, std::size_t groups) {
    return "查找完成，共找到" + std::to_string(rows) + "项文件。其中发现重复文件：" + std::to_string(groups) +
           "组。";
}

// One-click removal of the surplus copies.
inline std::string removalQuestion(std::size_t files) {
    return "您确认要删除" + std::to_string(files) + "个重复的文件吗？删除后您可以重新查找确认已删除。";
}

inline constexpr std::string_view kRemovalDone = "删除成功！";

/// Said after "删除成功！" when some surplus copies were kept for safety.
inline std::string removalSkipped(std::size_t files) {
    return std::to_string(files) + "个文件未删除：它们或保留的文件在识别后已被改动、移走，或与保留的文件是同"
                                   "一个文件。请重新查找后再试。";
}

/// Said after "删除成功！" when some deletes failed.
inline std::string removalFailed(std::size_t files) {
    return std::to_string(files) + "个文件删除失败（可能已不存在、只读或没有权限）。";
}

} // namespace yuzhou::texts
