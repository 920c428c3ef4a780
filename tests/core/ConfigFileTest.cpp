#include "settings/ConfigFile.h"

#include "TempFolder.h"
#include "platform/FolderReader.h"
#include "settings/ConfigEntries.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace yuzhou {
namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::ScopedCurrentFolder inFolder{folder.path()};

    std::string file() const { return folder / "dataconfig.ini"; }

    std::vector<std::string> folderNames() const {
        std::vector<std::string> names;
        FolderReader reader(folder.path());
        FolderEntry entry;
        while (reader.next(entry)) {
            names.push_back(entry.name);
        }
        return names;
    }
};

TEST_F(ConfigFileTest, MissingFileSectionOrKeyReadsEmpty) {
    EXPECT_EQ(ConfigFile::read("载入目录", "载入目录"), "");
    ConfigFile::write("载入目录", "载入目录", "/data");
    EXPECT_EQ(ConfigFile::read("保存目录", "保存目录"), "");
    EXPECT_EQ(ConfigFile::read("载入目录", "保存目录"), "");
}

TEST_F(ConfigFileTest, WriteCreatesReplacesAndKeepsOtherEntries) {
    ConfigFile::write(config::kSearchFolder.section, config::kSearchFolder.key, "/home/用户/照片");
    ConfigFile::write(config::kTargetFolder.section, config::kTargetFolder.key, "/tmp/out");
    ConfigFile::write(config::kSizeFilterChoice.section, config::kSizeFilterChoice.key, "筛选");
    ConfigFile::write(config::kNameFilterChoice.section, config::kNameFilterChoice.key, "不筛选");
    ConfigFile::write(config::kSearchFolder.section, config::kSearchFolder.key, "/mnt/新");

    EXPECT_EQ(ConfigFile::read("载入目录", "载入目录"), "/mnt/新");
    EXPECT_EQ(ConfigFile::read("保存目录", "保存目录"), "/tmp/out");
    // Two sections share the key name "是否" and keep apart.
    EXPECT_EQ(ConfigFile::read("筛大小", "是否"), "筛选");
    EXPECT_EQ(ConfigFile::read("筛名称", "是否"), "不筛选");
    EXPECT_EQ(test::readWholeFile(file()), "[载入目录]\n载入目录=/mnt/新\n[保存目录]\n保存目录=/tmp/"
                                           "out\n[筛大小]\n是否=筛选\n[筛名称]\n是否=不筛选\n");
}

TEST_F(ConfigFileTest, NamesMatchWithoutSurroundingBlanksOrAsciiCase) {
    // The name kind is written with a trailing blank and read back without it.
    ConfigFile::write(config::kNameFilterKindWritten.section, config::kNameFilterKindWritten.key, "2");
    EXPECT_EQ(ConfigFile::read(config::kNameFilterKindRead.section, config::kNameFilterKindRead.key), "2");
    ConfigFile::write(config::kSizeFilterOn.section, config::kSizeFilterOn.key, config::kTrue);
    EXPECT_EQ(ConfigFile::read(config::kSizeFilterOn.section, config::kSizeFilterOn.key), "真");
    EXPECT_EQ(ConfigFile::read("全局_筛大小", "全局_筛大小"), "真");

    ConfigFile::write("Section", "Key", "v1");
    EXPECT_EQ(ConfigFile::read("  SECTION\t", "key "), "v1");
    ConfigFile::write("section", "KEY", "v2");
    EXPECT_EQ(ConfigFile::read("Section", "Key"), "v2");
    EXPECT_EQ(test::readWholeFile(file()).find("v1"), std::string::npos) << "one entry, replaced";
}

TEST_F(ConfigFileTest, ValuesAreTrimmedAndOneLine) {
    ConfigFile::write("a", "a", "  padded  ");
    EXPECT_EQ(ConfigFile::read("a", "a"), "padded");
    ConfigFile::write("b", "b", "first line\nsecond=line");
    EXPECT_EQ(ConfigFile::read("b", "b"), "first line");
    EXPECT_EQ(ConfigFile::read("a", "a"), "padded");
}

TEST_F(ConfigFileTest, EraseRemovesTheWholeFile) {
    ConfigFile::erase(); // no file yet: no error
    ConfigFile::write("文件后缀", "文件后缀", "jpg");
    ConfigFile::erase();
    EXPECT_TRUE(folderNames().empty());
    EXPECT_EQ(ConfigFile::read("文件后缀", "文件后缀"), "");
}

TEST_F(ConfigFileTest, WritesLeaveNoTemporaryFileBehind) {
    for (int i = 0; i < 5; ++i) {
        ConfigFile::write("文件后缀", "文件后缀", std::to_string(i));
    }
    EXPECT_EQ(folderNames(), std::vector<std::string>{"dataconfig.ini"});
}

TEST_F(ConfigFileTest, ReadsAFileWrittenInGbk) {
    // "[载入目录]\n载入目录=D:\照片\n" as an ANSI program on a Chinese system writes it.
    folder.write("dataconfig.ini", "[\xD4\xD8\xC8\xEB\xC4\xBF\xC2\xBC]\r\n"
                                   "\xD4\xD8\xC8\xEB\xC4\xBF\xC2\xBC=D:\\\xD5\xD5\xC6\xAC\r\n");
    EXPECT_EQ(ConfigFile::read("载入目录", "载入目录"), "D:\\照片");
    // Writing turns the whole file into UTF-8 and keeps the old entry.
    ConfigFile::write("保存目录", "保存目录", "/tmp");
    EXPECT_EQ(test::readWholeFile(file()), "[载入目录]\n载入目录=D:\\照片\n[保存目录]\n保存目录=/tmp\n");
}

TEST_F(ConfigFileTest, DamagedFilesReadAsEmptyOrPartialEntries) {
    using namespace std::string_literals;
    struct Case {
        std::string name;
        std::string contents;
        std::string section;
        std::string expected;
    };
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    const Case cases[] = {
        {"empty", "", "文件后缀", ""},
        {"cut in a value", "[文件后缀]\n文件后缀=jp", "文件后缀", "jp"},
        {"cut in a section", "[文件后", "文件后缀", ""},
        {"no equals sign", "[文件后缀]\n文件后缀\n", "文件后缀", ""},
        {"entry before any section", "文件后缀=jpg\n", "文件后缀", ""},
        {"binary garbage", garbage, "文件后缀", ""},
        {"NUL inside a value", "[文件后缀]\n文件后缀=jpg\0png\n"s, "文件后缀", "jpg"},
        {"garbage after an entry", "[文件后缀]\n文件后缀=jpg\n" + garbage, "文件后缀", "jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("dataconfig.ini", c.contents);
        EXPECT_EQ(ConfigFile::read(c.section, c.section), c.expected);
        // A write into a damaged file still leaves a file that reads back.
        ConfigFile::write("保存目录", "保存目录", "/ok");
        EXPECT_EQ(ConfigFile::read("保存目录", "保存目录"), "/ok");
    }
}

TEST_F(ConfigFileTest, AnEnormousFileIsReadOnlyInPart) {
    std::string contents = "[载入目录]\n载入目录=/first\n";
    contents += std::string(20u << 20, 'x');
    contents += "\n[保存目录]\n保存目录=/beyond\n";
    folder.write("dataconfig.ini", contents);
    EXPECT_EQ(ConfigFile::read("载入目录", "载入目录"), "/first");
    EXPECT_EQ(ConfigFile::read("保存目录", "保存目录"), "");
}

TEST_F(ConfigFileTest, FollowsTheCurrentFolder) {
    ConfigFile::write("载入目录", "载入目录", "/in-first");
    test::TempFolder other;
    {
        test::ScopedCurrentFolder inOther(other.path());
        EXPECT_EQ(ConfigFile::read("载入目录", "载入目录"), "");
        ConfigFile::write("载入目录", "载入目录", "/in-second");
        EXPECT_EQ(ConfigFile::path(), other / "dataconfig.ini");
    }
    EXPECT_EQ(ConfigFile::read("载入目录", "载入目录"), "/in-first");
    EXPECT_NE(test::readWholeFile(other / "dataconfig.ini").find("/in-second"), std::string::npos);
}

TEST_F(ConfigFileTest, AFolderThatCannotBeWrittenLosesTheEntrySilently) {
    chmod(folder.path().c_str(), 0555);
    EXPECT_TRUE(test::runAsOrdinaryUser(
        [](const std::string&) {
            ConfigFile::write("载入目录", "载入目录", "/lost");
            return ConfigFile::read("载入目录", "载入目录").empty();
        },
        ""));
    chmod(folder.path().c_str(), 0700);
    EXPECT_TRUE(folderNames().empty());
}

} // namespace
} // namespace yuzhou
