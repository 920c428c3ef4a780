#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

struct FolderEntries {
    std::string searchFolder;
    std::string targetFolder;
};

/// The two folders kept in dataconfig.ini; empty where the file has none.
FolderEntries loadFolderEntries();

/// Erases dataconfig.ini and writes the two folders, as the main window does when it
/// closes: afterwards the file holds these two entries and nothing else.
void saveFolderEntries(std::string_view searchFolder, std::string_view targetFolder);

} // namespace yuzhou
