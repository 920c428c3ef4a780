#include "TempFolder.h"
#include "platform/FileInfo.h"
#include "platform/FileSystem.h"
#include "platform/FolderReader.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace yuzhou {
namespace {

TEST(Extension, FollowsTheLastDotUnlessABlankFollowsIt) {
    struct Case {
        std::string_view name;
        std::string_view extension;
        std::size_t start;
    };
    const Case cases[] = {
        {"a.jpg", "jpg", 1},    {"X.JPG", "JPG", 1},
        {"readme", "", 6},      {".profile", "profile", 0},
        {"a.", "", 1},          {"a.b c", "", 5},
        {"a b.txt", "txt", 3},  {"a.b c.d", "d", 5},
        {"a.tar.gz", "gz", 5},  {".gitignore", "gitignore", 0},
        {"中文.jpg", "jpg", 6}, {"", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_EQ(extensionOf(c.name), c.extension);
        EXPECT_EQ(extensionStart(c.name), c.start);
    }
}

TEST(FileInfo, ReadsSizeKindAndExistence) {
    test::TempFolder tree;
    const std::string file = tree.write("a.bin", std::string(1536, 'x'));
    const std::string folder = tree.makeFolder("sub");

    const std::optional<FileInfo> info = readFileInfo(file);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->size, 1536);
    EXPECT_TRUE(info->isRegularFile);
    EXPECT_FALSE(info->isDirectory);
    EXPECT_TRUE(info->readable);

    ASSERT_TRUE(readFileInfo(folder));
    EXPECT_TRUE(readFileInfo(folder)->isDirectory);

    EXPECT_FALSE(readFileInfo(tree / "missing"));
    EXPECT_FALSE(readFileInfo(""));
    EXPECT_TRUE(pathExists(file));
    EXPECT_TRUE(pathExists(folder));
    EXPECT_FALSE(pathExists(tree / "missing"));
}

TEST(FileInfo, KnowsAFileWithoutReadPermissionIsUnreadable) {
    test::TempFolder tree;
    chmod(tree.path().c_str(), 0755);
    const std::string file = tree.write("locked.txt", "secret");
    chmod(file.c_str(), 0200);
    EXPECT_TRUE(test::runAsOrdinaryUser(
        [](const std::string& path) {
            const std::optional<FileInfo> info = readFileInfo(path);
            return info && !info->readable && info->size == 6;
        },
        file));
}

TEST(FolderReader, ListsFilesAndFoldersButNoLinksOrSpecialFiles) {
    test::TempFolder tree;
    tree.write("file.txt");
    tree.makeFolder("folder");
    tree.link("link.txt", "file.txt");
    tree.link("folderlink", "folder");
    mkfifo((tree / "pipe").c_str(), 0600);

    std::vector<std::pair<std::string, EntryKind>> entries;
    FolderReader reader(tree.path());
    ASSERT_TRUE(reader.isOpen());
    FolderEntry entry;
    while (reader.next(entry)) {
        entries.emplace_back(entry.name, entry.kind);
    }
    std::sort(entries.begin(), entries.end());
    const std::vector<std::pair<std::string, EntryKind>> expected = {
        {"file.txt", EntryKind::File},  {"folder", EntryKind::Folder}, {"folderlink", EntryKind::Other},
        {"link.txt", EntryKind::Other}, {"pipe", EntryKind::Other},
    };
    EXPECT_EQ(entries, expected);
}

TEST(FolderReader, AFolderThatCannotBeOpenedReadsEmpty) {
    test::TempFolder tree;
    FolderReader reader(tree / "missing");
    FolderEntry entry;
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.next(entry));
}

TEST(FileSystem, JoinsWithExactlyOneSlash) {
    EXPECT_EQ(joinPath("/a", "b"), "/a/b");
    EXPECT_EQ(joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(joinPath("/", "b"), "/b");
    EXPECT_EQ(joinPath("", "b"), "/b");
}

TEST(FileSystem, AtomicWriteReplacesTheFileAndLeavesNothingElse) {
    test::TempFolder tree;
    const std::string path = tree / "data.ini";
    ASSERT_TRUE(writeFileAtomically(path, "first"));
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "second"));
    EXPECT_EQ(test::readWholeFile(path), "second");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the permissions of the replaced file are kept";

    FolderReader reader(tree.path());
    FolderEntry entry;
    std::vector<std::string> names;
    while (reader.next(entry)) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, std::vector<std::string>{"data.ini"});

    EXPECT_FALSE(writeFileAtomically(tree / "missing/data.ini", "x"));
}

} // namespace
} // namespace yuzhou
