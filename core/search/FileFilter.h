#pragma once

#include "settings/FilterSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace yuzhou {

class ResultList;
class WindowToolkit;

/// The size bound in bytes for a number and a unit ("B", "KB", "MB" or "GB" in any letter
/// case); any other unit gives 0.
std::int64_t sizeBound(std::int32_t value, std::string_view unit);

/// The size test: the relation names the sizes that are left out, so a file passes when
/// it does not hold. "大于" passes sizes up to the bound, "等于" every other size, "小于"
/// sizes from the bound on; any other relation passes nothing.
bool passesSizeTest(std::int64_t size, std::string_view relation, std::int64_t bound);

/// The name test on the name alone (not its folders), keywords found byte-wise with case.
/// "包含以下关键词" passes when some keyword is in the name, "跳过以下关键词" when some
/// keyword is not. No keyword at all, or any other choice, passes nothing. An empty
/// keyword is never found.
bool passesNameTest(std::string_view name, std::string_view choice, const std::vector<std::string>& keywords);

/// The per-file filter of a search: counts every file it is given in status pane 1, and
/// appends the files that pass the type, size and name tests of the settings to the
/// results. The settings are taken once, when the filter is made, so a change of the
/// settings during a search does not change what that search keeps.
class FileFilter {
public:
    FileFilter(const FilterSettings& settings, ResultList& results, WindowToolkit& toolkit,
               std::int64_t& examinedCount);

    /// Called for every row the filter appends: its position, path and exact size.
    using ListedHook = std::function<void(std::size_t position, const std::string& path, std::int64_t size)>;
    void setListedHook(ListedHook hook) { m_onListed = std::move(hook); }

    /// The visitor of the walk. `folderFd` is the open folder of the file, or -1 when the
    /// caller has none: the file's metadata is then read by its path.
    void filterFile(std::string name, std::string path, int folderFd = -1);

private:
    /// Lets pending events run before each entry is tried, as a long extension list
    /// would otherwise hold the window.
    bool extensionMatches(std::string_view name);

    FilterSettings m_settings;
    std::vector<std::string> m_extensions;
    std::vector<std::string> m_keywords;
    std::int64_t m_bound = 0;
    ResultList& m_results;
    WindowToolkit& m_toolkit;
    std::int64_t& m_examinedCount;
    ListedHook m_onListed;
};

} // namespace yuzhou
