#include "search/ResultTexts.h"

#include "platform/LocalTime.h"
#include "search/ResultList.h"
#include "text/ByteSizeText.h"

#include <charconv>

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

bool addResultRow(ResultList& results, std::string_view name, const std::string& path,
                  const std::optional<FileInfo>& info) {
    const std::optional<FileInfo> current = info ? info : readFileInfo(path);
    if (!current) {
        return false;
    }
    // The texts are put together in local buffers and copied once, into the list.
    // Rows are appended only by the search, on one thread, so the count cannot change
    // between reading it and appending.
    char number[24];
    const auto numberEnd = std::to_chars(number, number + sizeof number, results.rowCount() + 1).ptr;
    const std::string size = byteSizeText(current->size);
    char created[kTimeTextLength];
    char modified[kTimeTextLength];
    std::size_t createdLength = 0;
    std::size_t modifiedLength = 0;
    if (current->readable) {
        createdLength = writeLocalTimeText(current->creationTime, created);
        modifiedLength = writeLocalTimeText(current->modificationTime, modified);
    }
    ResultList::Cells cells{};
    cells[kNumberColumn] = std::string_view(number, static_cast<std::size_t>(numberEnd - number));
    cells[kNameColumn] = name;
    cells[kPathColumn] = path;
    cells[kSizeColumn] = size;
    cells[kCreatedColumn] = std::string_view(created, createdLength);
    cells[kModifiedColumn] = std::string_view(modified, modifiedLength);
    results.appendRow(cells, kUnticked, RowFacts{current->size, -1});
    return true;
}

} // namespace yuzhou
