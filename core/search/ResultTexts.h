#pragma once

#include "platform/FileInfo.h"
#include "search/ResultRow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yuzhou {

class ResultList;

/// A file's exact size in bytes; 0 when it cannot be read.
std::int64_t fileSizeBytes(const std::string& path);

/// The text of the "大小" column for a file.
std::string fileSizeText(const std::string& path);

struct FileTimesText {
    std::string created;
    std::string modified;
};

/// The creation and modification times, local, "yyyy-MM-dd HH:mm:ss"; both empty when the
/// file cannot be opened for reading.
FileTimesText fileTimesText(const std::string& path);
FileTimesText fileTimesText(const FileInfo& info);

/// The row of a file at a 0-based position: number, name, path, size and times; not ticked.
ResultRow makeResultRow(std::size_t position, std::string name, std::string path, const FileInfo& info);

/// Appends the row of a file that still exists; a file that is gone gets no row. `info`
/// spares the second metadata call when the caller already has the file's metadata.
/// Gives whether a row was added.
bool addResultRow(ResultList& results, std::string_view name, const std::string& path,
                  const std::optional<FileInfo>& info = std::nullopt);

} // namespace yuzhou
