#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace yuzhou::texts {

inline constexpr std::string_view kSearchCaption = "查找文件";
inline constexpr std::string_view kSearchingCaption = "正在查找";

inline constexpr std::string_view kNoSearchFolder = "请添加查找目录！";
inline constexpr std::string_view kSettingsNotApplied =
    "请在左上角\"筛选设置\"图标进行设置，然后点击\"应用并关闭\"按钮。";
inline constexpr std::string_view kNoSettings = "请先点击左上方的筛选设置，进行设置！";

inline constexpr std::string_view kSearchStartedPane = " 开始查找：";
inline constexpr int kSearchStartedPaneWidth = 100;
inline constexpr int kSearchFinishedPaneWidth = 300;

/// "  查找完成，共找到N项文件。" for status pane 0.
inline std::string searchFinishedPane(std::size_t found) {
    return "  查找完成，共找到" + std::to_string(found) + "项文件。";
}

/// "共找到N项文件。" for the summary label.
inline std::string foundSummary(std::size_t found) {
    return "共找到" + std::to_string(found) + "项文件。";
}

/// "查找完成，共找到N项文件。" for the closing message.
inline std::string searchFinishedMessage(std::size_t found) {
    return "查找完成，共找到" + std::to_string(found) + "项文件。";
}

} // namespace yuzhou::texts
