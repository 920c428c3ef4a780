#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace yuzhou {

/// The current filter settings: one record for the whole program, written only by the
/// settings dialog and read by the search. Every text is empty and every number 0 at start.
struct FilterSettings {
    /// Extensions without dots, separated by "," ("doc,docx").
    std::string extensionList;
    /// "筛选" (size test on) or "不筛选".
    std::string sizeFilterChoice;
    /// "小于", "等于" or "大于": files whose size stands in this relation are left out.
    std::string sizeRelation;
    std::int32_t sizeValue = 0;
    /// "B", "KB", "MB" or "GB".
    std::string sizeUnit;
    /// "不筛选", "包含以下关键词" or "跳过以下关键词".
    std::string nameFilterChoice;
    /// Keywords separated by ",".
    std::string nameKeywords;
    bool findDuplicates = false;
    /// Kept for the configuration file only; nothing decides by them.
    bool sizeFilterOn = false;
    std::int32_t nameFilterKind = 0;
};

/// The size number of the settings as the dialog's size box gives it: leading blanks are
/// skipped, the decimal number that follows is cut toward zero ("1.9" gives 1, "-5" gives
/// -5) and held within the 32-bit range; text that does not begin with a number gives 0.
std::int32_t parseSizeValue(std::string_view text);

} // namespace yuzhou
