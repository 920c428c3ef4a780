#include "Spreadsheet.h"

#include "ExportTexts.h"
#include "search/ResultList.h"
#include "text/Encoding.h"
#include "toolkit.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace yuzhou {

namespace {

bool endsWithXlsx(std::string_view name) {
    constexpr std::string_view suffix = ".xlsx";
    if (name.size() < suffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = name[name.size() - suffix.size() + i];
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (c != suffix[i]) {
            return false;
        }
    }
    return true;
}

/// A text a workbook can hold: valid UTF-8 without the control characters XML forbids.
/// A file name's bytes that are not UTF-8 become U+FFFD, as every viewer shows them.
const std::string& workbookText(std::string_view text, std::string& scratch) {
    bool clean = true;
    for (unsigned char c : text) {
        if (c >= 0x80 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
            clean = false;
            break;
        }
    }
    scratch.clear();
    if (clean) {
        scratch.assign(text);
        return scratch;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t cp = decodeUtf8At(text, pos);
        const bool invalidByte = cp >= 0xDC80 && cp <= 0xDCFF;
        const bool control = cp < 0x20 && cp != '\t' && cp != '\n' && cp != '\r';
        if (invalidByte || control) {
            scratch += "\xEF\xBF\xBD";
        } else {
            scratch.append(text.substr(start, pos - start));
        }
    }
    return scratch;
}

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const {
        if (workbook != nullptr) {
            workbook_close(workbook);
        }
    }
};

class TemporaryName {
public:
    explicit TemporaryName(const std::string& path) {
        const std::size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        m_path = (slash == std::string::npos ? std::string() : folder) + "." + name + ".yuzhou-XXXXXX";
        const int fd = mkstemp(m_path.data());
        if (fd < 0) {
            m_path.clear();
            return;
        }
        // mkstemp makes a private file; a workbook gets the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        close(fd);
    }
    ~TemporaryName() {
        if (!m_path.empty()) {
            unlink(m_path.c_str());
        }
    }
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;

    const std::string& path() const { return m_path; }
    /// Renames the file over `target`; from then on it is no longer removed.
    bool commit(const std::string& target) {
        if (m_path.empty() || std::rename(m_path.c_str(), target.c_str()) != 0) {
            return false;
        }
        m_path.clear();
        return true;
    }

private:
    std::string m_path;
};

constexpr std::size_t kRowsBetweenEvents = 4096;

} // namespace

std::string spreadsheetFileName(std::string_view chosen) {
    std::string name(chosen);
    if (!endsWithXlsx(name)) {
        name += ".xlsx";
    }
    return name;
}

ExportOutcome writeSpreadsheet(const std::string& path, const ResultList& results, std::size_t rowsPerSheet,
                               void (*between)(void*), void* context) {
    TemporaryName temporary(path);
    if (temporary.path().empty()) {
        return ExportOutcome::Failed;
    }
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new_opt(temporary.path().c_str(), &options));
    if (!workbook) {
        return ExportOutcome::Failed;
    }
    lxw_format* text = workbook_add_format(workbook.get());
    format_set_num_format(text, "@");

    const ResultList::Revision start = results.revision();
    const std::size_t rows = start.rows;
    const std::size_t perSheet = rowsPerSheet == 0 ? kRowsPerSheet : rowsPerSheet;
    lxw_worksheet* sheet = nullptr;
    std::string scratch;
    bool failed = false;
    const auto put = [&](lxw_row_t row, lxw_col_t column, std::string_view value) {
        // An empty text is a blank cell that still carries the text format.
        const lxw_error error = value.empty() ? worksheet_write_blank(sheet, row, column, text)
                                              : worksheet_write_string(sheet, row, column,
                                                                       workbookText(value, scratch).c_str(), text);
        failed = failed || error != LXW_NO_ERROR;
    };
    for (std::size_t r = 0; r < rows || sheet == nullptr; ++r) {
        if (r % perSheet == 0) {
            sheet = workbook_add_worksheet(workbook.get(), nullptr);
            if (sheet == nullptr) {
                return ExportOutcome::Failed;
            }
            for (int c = 0; c < kColumnCount; ++c) {
                put(0, static_cast<lxw_col_t>(c), kColumnTitles[static_cast<std::size_t>(c)]);
            }
        }
        if (r >= rows) {
            break;
        }
        if (between != nullptr && r % kRowsBetweenEvents == kRowsBetweenEvents - 1) {
            between(context);
            const ResultList::Revision now = results.revision();
            if (now.clears != start.clears || now.textEdits != start.textEdits) {
                return ExportOutcome::Interrupted;
            }
        }
        const ResultRow row = results.row(r);
        const auto sheetRow = static_cast<lxw_row_t>(r % perSheet + 1);
        for (int c = 0; c < kColumnCount; ++c) {
            put(sheetRow, static_cast<lxw_col_t>(c), row.cells[static_cast<std::size_t>(c)]);
        }
        if (failed) {
            return ExportOutcome::Failed;
        }
    }
    const lxw_error closed = workbook_close(workbook.release());
    if (failed || closed != LXW_NO_ERROR || !temporary.commit(path)) {
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

void exportToSpreadsheet(const ResultList& results, WindowToolkit& toolkit) {
    const std::optional<std::string> chosen = toolkit.chooseSaveFile(texts::kExportTitle, texts::kSpreadsheetFilter);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = spreadsheetFileName(*chosen);
    const ExportOutcome outcome = writeSpreadsheet(
        path, results, kRowsPerSheet, [](void* toolkit) { static_cast<WindowToolkit*>(toolkit)->processEvents(); },
        &toolkit);
    switch (outcome) {
    case ExportOutcome::Written:
        toolkit.showMessage(texts::kExportDone);
        break;
    case ExportOutcome::Failed:
        toolkit.showMessage(texts::exportFailed(path), MessageIcon::Exclamation);
        break;
    case ExportOutcome::Interrupted:
        toolkit.showMessage(texts::kExportInterrupted, MessageIcon::Exclamation);
        break;
    }
}

} // namespace yuzhou
