#include "search/FileFilter.h"

#include "platform/FileInfo.h"
#include "search/ResultList.h"
#include "search/ResultTexts.h"
#include "settings/SettingsTexts.h"
#include "text/CommaList.h"
#include "text/FindText.h"
#include "toolkit.h"

#include <algorithm>
#include <optional>

namespace yuzhou {

namespace {

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

} // namespace

std::int64_t sizeBound(std::int32_t value, std::string_view unit) {
    const std::string lower = lowerAscii(unit);
    if (lower == "b") {
        return value;
    }
    if (lower == "kb") {
        return std::int64_t{value} * 1024;
    }
    if (lower == "mb") {
        return std::int64_t{value} * 1048576;
    }
    if (lower == "gb") {
        return std::int64_t{value} * 1073741824;
    }
    return 0;
}

bool passesSizeTest(std::int64_t size, std::string_view relation, std::int64_t bound) {
    if (relation == texts::kGreater) {
        return size <= bound;
    }
    if (relation == texts::kEqual) {
        return size != bound;
    }
    if (relation == texts::kLess) {
        return size >= bound;
    }
    return false;
}

bool passesNameTest(std::string_view name, std::string_view choice,
                    const std::vector<std::string>& keywords) {
    const auto found = [&](const std::string& keyword) {
        return findText(name, keyword) >= 1;
    };
    if (choice == texts::kIncludeKeywords) {
        return std::any_of(keywords.begin(), keywords.end(), found);
    }
    if (choice == texts::kSkipKeywords) {
        return !std::all_of(keywords.begin(), keywords.end(), found);
    }
    return false;
}

FileFilter::FileFilter(const FilterSettings& settings, ResultList& results, WindowToolkit& toolkit,
                       std::int64_t& examinedCount)
    : m_settings(settings), m_extensions(splitExtensionList(settings.extensionList)),
      m_keywords(splitKeywordList(settings.nameKeywords)),
      m_bound(sizeBound(settings.sizeValue, settings.sizeUnit)), m_results(results), m_toolkit(toolkit),
      m_examinedCount(examinedCount) {}

bool FileFilter::extensionMatches(std::string_view name) {
    const std::string_view extension = extensionOf(name);
    for (const std::string& entry : m_extensions) {
        m_toolkit.processEvents();
        if (entry == extension) {
            return true;
        }
    }
    return false;
}

void FileFilter::filterFile(std::string name, std::string path, int folderFd) {
    ++m_examinedCount;
    m_toolkit.setStatusPaneText(1, std::to_string(m_examinedCount));
    if (!extensionMatches(name)) {
        return;
    }
    const bool sizeOn = m_settings.sizeFilterChoice == texts::kFilterOn;
    const bool sizeOff = m_settings.sizeFilterChoice == texts::kFilterOff;
    const bool nameOn = m_settings.nameFilterChoice != texts::kFilterOff;
    if (!sizeOn && !sizeOff) {
        return; // no settings applied yet
    }
    if (nameOn && !passesNameTest(name, m_settings.nameFilterChoice, m_keywords)) {
        return;
    }
    // One metadata call serves the size test, the existence test and the row's texts.
    const std::optional<FileInfo> info =
        folderFd >= 0 ? readFileInfoAt(folderFd, name.c_str()) : readFileInfo(path);
    if (sizeOn && !passesSizeTest(info ? info->size : 0, m_settings.sizeRelation, m_bound)) {
        return;
    }
    if (!info) {
        return; // gone since the walk listed it
    }
    if (addResultRow(m_results, name, path, info) && m_onListed) {
        m_onListed(m_results.rowCount() - 1, path, info->size);
    }
}

} // namespace yuzhou
