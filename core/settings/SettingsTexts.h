#pragma once

#include <string_view>

namespace yuzhou::texts {

// The choices of the size and name switches.
inline constexpr std::string_view kFilterOn = "筛选";
inline constexpr std::string_view kFilterOff = "不筛选";
inline constexpr std::string_view kIncludeKeywords = "包含以下关键词";
inline constexpr std::string_view kSkipKeywords = "跳过以下关键词";

// The size relations: the sizes that are left out.
inline constexpr std::string_view kGreater = "大于";
inline constexpr std::string_view kEqual = "等于";
inline constexpr std::string_view kLess = "小于";

/// The prompt of the extension box; as an extension list it means "nothing applied yet".
inline constexpr std::string_view kExtensionPrompt = "如需添加类型用,(半角逗号)隔开。";

} // namespace yuzhou::texts

namespace yuzhou::texts {

// The settings dialog's lists: their items, and the prompts they show before a choice.
inline constexpr std::string_view kTypePrompt = "请选择文件类型";
inline constexpr std::string_view kTypeResetPrompt = "请选择内容";
inline constexpr std::string_view kRelationPrompt = "请选择";
inline constexpr std::string_view kValuePrompt = "填写整数";
inline constexpr std::string_view kUnitPrompt = "请选择单位";
inline constexpr std::string_view kKeywordsPrompt = "多个关键词用英文逗号隔开。如：预览视频,样片";
inline constexpr std::string_view kKeywordsResetPrompt = "关键词用英文逗号隔开。如：预览视频,样片";

inline constexpr std::string_view kTypeItems[] = {
    "mp3文件",  "视频文件",           "图片文件",   "word文件",      "excel文件",
    "压缩文件", "可执行程序（.exe）", "纯文本文件", "自定义文件类型"};
/// The extension list each type item puts into the extension box, item by item.
inline constexpr std::string_view kTypeExtensions[] = {"mp3",
                                                       "mp4,mov,avi,mkv,flv,wmv,asf,rmvb",
                                                       "jpg,bmp,gif,png",
                                                       "doc,docx",
                                                       "xls,xlsx",
                                                       "rar,zip,cab,iso,7z",
                                                       "exe",
                                                       "txt",
                                                       "自定义文件类型用,隔开。（删除此文字）"};
inline constexpr std::string_view kSizeSwitchItems[] = {kFilterOff, kFilterOn};
inline constexpr std::string_view kRelationItems[] = {kLess, kEqual, kGreater};
inline constexpr std::string_view kUnitItems[] = {"B", "KB", "MB", "GB"};
inline constexpr std::string_view kNameSwitchItems[] = {kFilterOff, kIncludeKeywords, kSkipKeywords};

// The dialog's messages.
inline constexpr std::string_view kNoExtensions = "请选择或填写文件类型!";
inline constexpr std::string_view kNoRelation = "您选择了筛选大小，但却未设置筛选大小参数，请选择下面参数！";
inline constexpr std::string_view kNoSizeValue = "请填写筛选大小！";
inline constexpr std::string_view kNoUnit = "请选择单位！";
inline constexpr std::string_view kDuplicatesWarning =
    "选中该选项将显示重复文件。如您的文件比较多或者比较大将比较耗时，您可以去泡杯茶或先忙其他事情，过会在来查"
    "看结果！";
inline constexpr std::string_view kDuplicatesWarningTitle = "显示重复文件：";

} // namespace yuzhou::texts
