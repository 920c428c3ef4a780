#include "search/ResultTexts.h"

#include "platform/LocalTime.h"
#include "search/ResultList.h"
#include "text/ByteSizeText.h"

namespace yuzhou {

std::int64_t fileSizeBytes(const std::string& path) {
    const std::optional<FileInfo> info = readFileInfo(path);
    return info ? info->size : 0;
}

std::string fileSizeText(const std::string& path) {
    return byteSizeText(fileSizeBytes(path));
}

FileTimesText fileTimesText(const FileInfo& info) {
    if (!info.readable) {
        return {};
    }
    return {localTimeText(info.creationTime), localTimeText(info.modificationTime)};
}

FileTimesText fileTimesText(const std::string& path) {
    const std::optional<FileInfo> info = readFileInfo(path);
    return info ? fileTimesText(*info) : FileTimesText{};
}

ResultRow makeResultRow(std::size_t position, std::string name, std::string path, const FileInfo& info) {
    ResultRow row;
    row.cells[kNumberColumn] = std::to_string(position + 1);
    row.cells[kNameColumn] = std::move(name);
    row.cells[kPathColumn] = std::move(path);
    row.cells[kSizeColumn] = byteSizeText(info.size);
    FileTimesText times = fileTimesText(info);
    row.cells[kCreatedColumn] = std::move(times.created);
    row.cells[kModifiedColumn] = std::move(times.modified);
    return row;
}

bool addResultRow(ResultList& results, std::string name, std::string path,
                  const std::optional<FileInfo>& info) {
    const std::optional<FileInfo> current = info ? info : readFileInfo(path);
    if (!current) {
        return false;
    }
    // Rows are appended only by the search, on one thread, so the count cannot change
    // between reading it and appending.
    results.appendRow(makeResultRow(results.rowCount(), std::move(name), std::move(path), *current));
    return true;
}

} // namespace yuzhou
