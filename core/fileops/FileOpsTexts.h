#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yuzhou::texts {

inline constexpr std::string_view kCollisionSuffix = "（有重名的——榆舟）";
inline constexpr std::string_view kNoTargetFolder = "请设置目标目录！";

inline std::string targetFolderMissing(std::string_view folder) {
    return "目标目录“" + std::string(folder) + "”不存在，请重新设置目标目录！";
}

inline constexpr std::string_view kCopyCaption = "复制到目标文件夹";
inline constexpr std::string_view kCopyRunningCaption = "复制中……";
inline constexpr std::string_view kCopyRunningPane = "开始复制：";
inline constexpr std::string_view kCopyFinishedPane = "复制完成。";
inline constexpr std::string_view kMoveCaption = "剪切到目标文件夹";
inline constexpr std::string_view kMoveRunningCaption = "移动中……";
inline constexpr std::string_view kMoveRunningPane = "开始剪切：";
inline constexpr std::string_view kMoveFinishedPane = "剪切完成。";
inline constexpr int kTransferPaneWidth = 100;

inline std::string copyReport(std::size_t ticked, std::size_t collisions) {
    return "复制任务完成，共完成复制对象：" + std::to_string(ticked) + "个。其中有重名的：" +
           std::to_string(collisions) + "个。";
}

inline std::string moveReport(std::size_t ticked, std::size_t collisions) {
    return "移动文件任务完成，共完成移动文件：" + std::to_string(ticked) + "个。其中目标文件夹中有重名的：" +
           std::to_string(collisions) + "个。";
}

/// The sentence a report gains when some files could not be handled.
inline std::string copyFailures(std::size_t failed) {
    return "其中未能复制的：" + std::to_string(failed) + "个。";
}
inline std::string moveFailures(std::size_t failed) {
    return "其中未能移动的：" + std::to_string(failed) + "个。";
}
inline std::string deleteFailures(std::size_t failed) {
    return "其中未能删除的（已不存在、只读、文件夹或没有权限）：" + std::to_string(failed) + "个。";
}

inline constexpr std::string_view kDeleteTitle = "删除文件";

inline std::string deleteQuestion(std::size_t ticked) {
    return "确定要删除列表框中选中的" + std::to_string(ticked) + "项文件？";
}

inline std::string deleteReport(std::size_t ticked) {
    return "完成删除任务，共删除文件：" + std::to_string(ticked) + "个。";
}

// The list's pop-up menu "编辑菜单".
inline constexpr std::string_view kMenuTitle = "编辑菜单";
inline constexpr std::string_view kCopyRowItem = "复制本行";
inline constexpr std::string_view kCopyNameItem = "复制文件名";
inline constexpr std::string_view kCopyPathItem = "复制路径";
inline constexpr std::string_view kDeleteFileItem = "删除文件";
inline constexpr std::string_view kOpenFolderItem = "打开所在文件夹";

inline constexpr std::string_view kEmptyRowCopyRow = "选中项内容为空，无法执行复制本行命令！";
inline constexpr std::string_view kEmptyRowCopyName = "选中项内容为空，无法执行复制文件名命令！";
inline constexpr std::string_view kEmptyRowCopyPath = "选中项内容为空，无法执行复制路径命令！";
inline constexpr std::string_view kEmptyRowDelete = "选中项内容为空，无法执行删除命令！";
inline constexpr std::string_view kEmptyRowOpenFolder = "选中项内容为空，无法执行打开所在文件夹命令！";

inline std::string deleteFileQuestion(std::string_view name) {
    return "确定要删除文件：  " + std::string(name);
}

inline constexpr std::string_view kFileGone = "该文件已不存在，是否移动了该文件？";

} // namespace yuzhou::texts
