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
