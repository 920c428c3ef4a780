#pragma once

#include <string_view>

namespace yuzhou {

/// One entry of dataconfig.ini: the section that holds it and its key.
struct ConfigEntry {
    std::string_view section;
    std::string_view key;
};

/// The entries the program keeps, in the order the settings dialog saves them.
namespace config {

// Written by the settings dialog's Apply, read back when the dialog is created.
inline constexpr ConfigEntry kExtensions{"文件后缀", "文件后缀"};
inline constexpr ConfigEntry kTypePreset{"选择类型", "选择类型"};
inline constexpr ConfigEntry kSizeRelation{"限制类型", "限制类型"};
inline constexpr ConfigEntry kSizeValue{"限制大小", "限制大小"};
inline constexpr ConfigEntry kSizeUnit{"限制单位", "限制单位"};
inline constexpr ConfigEntry kNameKeywords{"限制名称", "限制名称"};
inline constexpr ConfigEntry kSizeFilterChoice{"筛大小", "是否"};
inline constexpr ConfigEntry kNameFilterChoice{"筛名称", "是否"};

// Written with a trailing blank in section and key. The name kind is read back under the
// name without the blank, the size switch under the same name; both reach the written
// entry because names are matched without their surrounding blanks.
inline constexpr ConfigEntry kNameFilterKindWritten{"全局_单选名称项 ", "全局_单选名称项 "};
inline constexpr ConfigEntry kNameFilterKindRead{"全局_单选名称项", "全局_单选名称项"};
inline constexpr ConfigEntry kSizeFilterOn{"全局_筛大小 ", "全局_筛大小 "};
inline constexpr std::string_view kTrue = "真";
inline constexpr std::string_view kFalse = "假";

// Written by the main window when it closes, read back when it is created.
inline constexpr ConfigEntry kSearchFolder{"载入目录", "载入目录"};
inline constexpr ConfigEntry kTargetFolder{"保存目录", "保存目录"};

} // namespace config

} // namespace yuzhou
