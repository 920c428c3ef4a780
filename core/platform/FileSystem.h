#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

/// The process's current folder as the system reports it now; empty when it cannot.
std::string currentFolder();

/// Joins a folder and a name with exactly one "/" between them; "/" itself stays "/".
std::string joinPath(std::string_view folder, std::string_view name);

/// Replaces the file at `path` by `contents` in one step: the text is written to a
/// temporary file in the same folder, flushed to disk and renamed over the old file, so
/// a crash leaves either the old or the new file, never a half-written one.
bool writeFileAtomically(const std::string& path, std::string_view contents);

/// Reads at most `limit` bytes of a file; false when it cannot be opened.
bool readFilePrefix(const std::string& path, std::size_t limit, std::string& contents);

/// Removes a file; a file that is not there is no error.
bool removeFile(const std::string& path);

} // namespace yuzhou
