#include "FindCommand.h"

#include "ConsoleToolkit.h"
#include "Spreadsheet.h"
#include "ProgramState.h"
#include "UsageError.h"
#include "duplicates/RemoveDuplicates.h"
#include "fileops/TransferChecked.h"
#include "list/ColumnClick.h"
#include "search/RunSearch.h"
#include "settings/SettingsTexts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <thread>
#include <unistd.h>

namespace yuzhou {

namespace {

class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    bool atEnd() const { return m_next >= m_arguments.size(); }
    const std::string& take() { return m_arguments[m_next++]; }

    const std::string& valueOf(const std::string& option) {
        if (atEnd()) {
            throw UsageError(option + " needs a value");
        }
        return take();
    }

private:
    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
};

std::string_view relationOf(const std::string& text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> relations = {{
        {"大于", texts::kGreater},
        {"gt", texts::kGreater},
        {"等于", texts::kEqual},
        {"eq", texts::kEqual},
        {"小于", texts::kLess},
        {"lt", texts::kLess},
    }};
    for (const auto& [name, relation] : relations) {
        if (text == name) {
            return relation;
        }
    }
    throw UsageError("--skip-size: the relation must be 大于, 等于, 小于, gt, eq or lt, not \"" + text +
                     "\"");
}

std::int32_t sizeNumberOf(const std::string& text) {
    // The dialog cuts a fraction off; the command line takes the same numbers but refuses
    // text that is not a number at all, which the dialog would silently read as 0.
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0 || i != text.size()) {
        throw UsageError("--skip-size: the size must be a number, not \"" + text + "\"");
    }
    const std::int32_t value = parseSizeValue(text);
    if (value == std::numeric_limits<std::int32_t>::max() ||
        value == std::numeric_limits<std::int32_t>::min()) {
        throw UsageError("--skip-size: the size " + text + " is too large");
    }
    return value;
}

std::string unitOf(const std::string& text) {
    std::string lower;
    for (char c : text) {
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (lower != "b" && lower != "kb" && lower != "mb" && lower != "gb") {
        throw UsageError("--skip-size: the unit must be B, KB, MB or GB, not \"" + text + "\"");
    }
    return text;
}

int columnOf(const std::string& text) {
    for (int column = 0; column < kColumnCount; ++column) {
        if (!text.empty() && text == kColumnTitles[static_cast<std::size_t>(column)]) {
            return column;
        }
    }
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kColumnCount) {
        return text[0] - '0';
    }
    throw UsageError("--sort: no column \"" + text + "\" (a title such as 大小, or an index from 0 to 8)");
}

} // namespace

FindOptions parseFindOptions(const std::vector<std::string>& arguments) {
    FindOptions options;
    FilterSettings& settings = options.settings;
    settings.sizeFilterChoice = texts::kFilterOff;
    settings.nameFilterChoice = texts::kFilterOff;
    std::optional<std::string> folder;
    bool haveExtensions = false;
    bool haveNameTest = false;

    ArgumentCursor cursor(arguments);
    while (!cursor.atEnd()) {
        const std::string& argument = cursor.take();
        if (argument == "--ext") {
            settings.extensionList = cursor.valueOf(argument);
            haveExtensions = true;
        } else if (argument == "--skip-size") {
            settings.sizeFilterChoice = texts::kFilterOn;
            settings.sizeRelation = relationOf(cursor.valueOf(argument));
            settings.sizeValue = sizeNumberOf(cursor.valueOf(argument));
            settings.sizeUnit = unitOf(cursor.valueOf(argument));
        } else if (argument == "--include" || argument == "--skip") {
            if (haveNameTest) {
                throw UsageError("--include and --skip exclude each other and are given once");
            }
            haveNameTest = true;
            settings.nameFilterChoice =
                argument == "--include" ? texts::kIncludeKeywords : texts::kSkipKeywords;
            settings.nameKeywords = cursor.valueOf(argument);
        } else if (argument == "--format") {
            const std::string& name = cursor.valueOf(argument);
            const std::optional<OutputFormat> format = parseOutputFormat(name);
            if (!format) {
                throw UsageError("--format must be tsv, csv or json, not \"" + name + "\"");
            }
            options.format = *format;
        } else if (argument == "--yes") {
            options.answerYes = true;
        } else if (argument == "--dupes") {
            settings.findDuplicates = true;
        } else if (argument == "--copy-to") {
            options.copyTo = cursor.valueOf(argument);
        } else if (argument == "--move-to") {
            options.moveTo = cursor.valueOf(argument);
        } else if (argument == "--xlsx") {
            options.xlsxFile = cursor.valueOf(argument);
        } else if (argument == "--delete-ticked") {
            options.deleteTicked = true;
        } else if (argument == "--delete-surplus") {
            options.deleteSurplus = true;
        } else if (argument == "--sort") {
            options.sortColumns.push_back(columnOf(cursor.valueOf(argument)));
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + argument);
        } else if (folder) {
            throw UsageError("more than one folder given: " + *folder + " and " + argument);
        } else {
            folder = argument;
        }
    }
    if (!folder) {
        throw UsageError("find needs a folder to search");
    }
    if (!haveExtensions) {
        throw UsageError("find needs --ext with the extensions to look for");
    }
    options.folder = *folder;
    return options;
}

int runFindCommand(const FindOptions& options) {
    ProgramState state;
    state.settings = options.settings;
    ConsoleToolkit toolkit(stderr, options.answerYes, isatty(STDERR_FILENO) == 1);
    toolkit.setSearchFolder(options.folder);
    state.fingerprintPool.start(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    runSearch(state, toolkit);
    state.duplicatePass.waitUntilEnded();
    for (int column : options.sortColumns) {
        onColumnClick(state, column);
    }
    if (options.deleteSurplus) {
        removeSurplusDuplicates(state, toolkit);
    }
    if (!options.copyTo.empty()) {
        toolkit.setTargetFolder(options.copyTo);
        transferChecked(state, toolkit, TransferMode::Copy);
    }
    if (!options.moveTo.empty()) {
        toolkit.setTargetFolder(options.moveTo);
        transferChecked(state, toolkit, TransferMode::Move);
    }
    if (options.deleteTicked) {
        deleteChecked(state, toolkit);
    }
    if (!options.xlsxFile.empty()) {
        toolkit.setSaveFile(options.xlsxFile);
        exportToSpreadsheet(state.results, toolkit);
    }
    writeResults(stdout, state.results, options.format);
    return kExitOk;
}

} // namespace yuzhou
