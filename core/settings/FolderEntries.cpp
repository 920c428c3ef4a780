#include "settings/FolderEntries.h"

#include "settings/ConfigEntries.h"
#include "settings/ConfigFile.h"

namespace yuzhou {

FolderEntries loadFolderEntries() {
    FolderEntries folders;
    folders.targetFolder = ConfigFile::read(config::kTargetFolder.section, config::kTargetFolder.key);
    folders.searchFolder = ConfigFile::read(config::kSearchFolder.section, config::kSearchFolder.key);
    return folders;
}

void saveFolderEntries(std::string_view searchFolder, std::string_view targetFolder) {
    ConfigFile::erase();
    ConfigFile::write(config::kSearchFolder.section, config::kSearchFolder.key, searchFolder);
    ConfigFile::write(config::kTargetFolder.section, config::kTargetFolder.key, targetFolder);
}

} // namespace yuzhou
