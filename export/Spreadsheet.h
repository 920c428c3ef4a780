#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yuzhou {

class ResultList;
class WindowToolkit;

/// Data rows on one sheet: Excel's 1,048,576 rows, less the title row.
inline constexpr std::size_t kRowsPerSheet = 1048575;

/// The file name a chosen name is saved under: ".xlsx" appended unless the name already
/// ends in it, in any letter case.
std::string spreadsheetFileName(std::string_view chosen);

enum class ExportOutcome { Written, Failed, Interrupted };

/// Writes the whole list, every row and every column, into a new .xlsx workbook: the
/// column titles in row 1, list row r in row r + 2, list column c in column A + c, every
/// cell formatted as text ("@") and holding exactly the text the list shows. A list
/// longer than a sheet goes on over further sheets, each with the title row. The workbook
/// is streamed, so memory does not grow with the list, and it is written under a
/// temporary name and renamed over `path` only when complete: a failure leaves an
/// existing file as it was. `between` is called every few thousand rows (to let the
/// window's events run); when the list's texts change meanwhile the export stops.
ExportOutcome writeSpreadsheet(const std::string& path, const ResultList& results,
                               std::size_t rowsPerSheet = kRowsPerSheet, void (*between)(void*) = nullptr,
                               void* context = nullptr);

/// The button "导出excel": a save dialog for *.xlsx files, then the workbook, then
/// "导出完成！" once it is completely written, or a message naming the file that could not
/// be written. Cancelling the dialog exports nothing and shows nothing.
void exportToSpreadsheet(const ResultList& results, WindowToolkit& toolkit);

} // namespace yuzhou
