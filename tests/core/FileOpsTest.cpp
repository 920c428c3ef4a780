#include "ProgramState.h"
#include "RecordingToolkit.h"
#include "TempFolder.h"
#include "fileops/TransferChecked.h"
#include "list/ListCommands.h"
#include "list/SortByColumn.h"
#include "platform/FileOperations.h"
#include "search/ResultTexts.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yuzhou {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

/// A tmpfs of the given size mounted for the test's lifetime, where mounting is allowed.
class ScopedTmpfs {
public:
    ScopedTmpfs(const std::string& where, const char* size) : m_where(where) {
        fs::create_directories(where);
        const std::string options = std::string("size=") + size;
        m_mounted = mount("tmpfs", where.c_str(), "tmpfs", 0, options.c_str()) == 0;
        m_error = m_mounted ? "" : std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    }
    ~ScopedTmpfs() {
        if (m_mounted) {
            umount2(m_where.c_str(), MNT_DETACH);
        }
    }
    bool mounted() const { return m_mounted; }
    const std::string& error() const { return m_error; }

private:
    std::string m_where;
    bool m_mounted = false;
    std::string m_error;
};

class TransferTest : public ::testing::Test {
protected:
    test::TempFolder tree;
    ProgramState state;
    test::RecordingToolkit toolkit;
    std::string target;

    void SetUp() override {
        target = tree.makeFolder("target");
        toolkit.targetFolder = target;
    }

    /// Lists files as a search would, all ticked.
    void list(const std::vector<std::string>& paths) {
        state.results.clear();
        for (const std::string& path : paths) {
            addResultRow(state.results, fs::path(path).filename().string(), path);
        }
        state.results.setAllTicks(kTicked);
    }

    std::string lastMessage() const {
        return toolkit.messageTexts().empty() ? "" : toolkit.messageTexts().back();
    }
};

TEST(CollisionName, InsertsTheMarkBeforeTheExtension) {
    EXPECT_EQ(collisionTargetName("/t", "readme"), "/t/readme（有重名的——榆舟）");
    EXPECT_EQ(collisionTargetName("/t", "a.tar.gz"), "/t/a.tar（有重名的——榆舟）.gz");
    EXPECT_EQ(collisionTargetName("/t", ".gitignore"), "/t/（有重名的——榆舟）.gitignore");
    EXPECT_EQ(collisionTargetName("/t", "照片.jpg"), "/t/照片（有重名的——榆舟）.jpg");
    EXPECT_EQ(collisionTargetName("/t", "a.b c"), "/t/a.b c（有重名的——榆舟）");
    EXPECT_EQ(collisionTargetName("/t/", "a.txt"), "/t//a（有重名的——榆舟）.txt");
}

TEST_F(TransferTest, CopiesCollideOnTheSecondRunAndOverwriteOnTheThird) {
    const std::string a = tree.write("src/a.txt", "alpha");
    const std::string b = tree.write("src/sub/b", "beta");
    chmod(a.c_str(), 0640);
    test::setModificationTime(a, 1600000000);
    list({a, b});

    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(lastMessage(), "复制任务完成，共完成复制对象：2个。其中有重名的：0个。");
    EXPECT_EQ(namesIn(target), (std::vector<std::string>{"a.txt", "b"}));
    struct stat copied {};
    ASSERT_EQ(stat((target + "/a.txt").c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mode & 0777, 0640u) << "permissions kept";
    EXPECT_EQ(copied.st_mtime, 1600000000) << "modification time kept";
    EXPECT_EQ(test::readWholeFile(a), "alpha") << "the source stays";
    EXPECT_EQ(toolkit.panes()[0].text, "复制完成。");
    EXPECT_EQ(toolkit.progressPane(), 1);
    EXPECT_EQ(toolkit.progressValue(), 2);
    EXPECT_TRUE(toolkit.button(CommandButton::Copy).enabled);
    EXPECT_EQ(toolkit.button(CommandButton::Copy).caption, "复制到目标文件夹");

    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(lastMessage(), "复制任务完成，共完成复制对象：2个。其中有重名的：2个。");
    EXPECT_EQ(namesIn(target),
              (std::vector<std::string>{"a.txt", "a（有重名的——榆舟）.txt", "b", "b（有重名的——榆舟）"}));

    tree.write("src/a.txt", "alpha, changed");
    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(namesIn(target).size(), 4u);
    EXPECT_EQ(test::readWholeFile(target + "/a（有重名的——榆舟）.txt"), "alpha, changed") << "overwritten";
    EXPECT_EQ(test::readWholeFile(target + "/a.txt"), "alpha");
}

TEST_F(TransferTest, AFileAlreadyInTheTargetCollidesWithItself) {
    const std::string inside = tree.write("target/x.dat", "x");
    list({inside});
    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(namesIn(target), (std::vector<std::string>{"x.dat", "x（有重名的——榆舟）.dat"}));
    tree.write("target/y.dat", "y");
    list({target + "/y.dat"});
    transferChecked(state, toolkit, TransferMode::Move);
    EXPECT_EQ(lastMessage(), "移动文件任务完成，共完成移动文件：1个。其中目标文件夹中有重名的：1个。");
    EXPECT_EQ(namesIn(target),
              (std::vector<std::string>{"x.dat", "x（有重名的——榆舟）.dat", "y（有重名的——榆舟）.dat"}));
}

TEST_F(TransferTest, AMoveNeverReplacesAFile) {
    const std::string source = tree.write("src/a.txt", "moving");
    tree.write("target/a.txt", "already here");
    tree.write("target/a（有重名的——榆舟）.txt", "also here");
    list({source});
    transferChecked(state, toolkit, TransferMode::Move);
    EXPECT_EQ(lastMessage(),
              "移动文件任务完成，共完成移动文件：1个。其中目标文件夹中有重名的：1个。其中未能移动的：1个。");
    EXPECT_EQ(test::readWholeFile(target + "/a.txt"), "already here");
    EXPECT_EQ(test::readWholeFile(target + "/a（有重名的——榆舟）.txt"), "also here");
    EXPECT_EQ(test::readWholeFile(source), "moving");
    EXPECT_FALSE(moveFileNoReplace(source, target + "/a.txt"));
    EXPECT_EQ(test::readWholeFile(target + "/a.txt"), "already here");
}

TEST_F(TransferTest, MovesAndReportsFailuresAndTheirCount) {
    const std::string a = tree.write("src/a.txt", "a");
    const std::string gone = tree.write("src/gone.txt", "g");
    list({a, gone});
    unlink(gone.c_str());
    transferChecked(state, toolkit, TransferMode::Move);
    EXPECT_EQ(lastMessage(),
              "移动文件任务完成，共完成移动文件：2个。其中目标文件夹中有重名的：0个。其中未能移动的：1个。");
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(test::readWholeFile(target + "/a.txt"), "a");
    EXPECT_EQ(toolkit.panes()[0].text, "剪切完成。");
    EXPECT_EQ(state.results.cell(0, kPathColumn), a) << "the list does not change";
}

TEST_F(TransferTest, ATargetFolderThatIsEmptyOrMissingIsRefusedBeforeAnything) {
    const std::string a = tree.write("src/a.txt", "a");
    list({a});
    toolkit.addStatusPane("kept", 300);
    toolkit.targetFolder = "";
    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(toolkit.messageTexts(), std::vector<std::string>{"请设置目标目录！"});
    toolkit.targetFolder = tree / "nowhere";
    transferChecked(state, toolkit, TransferMode::Move);
    EXPECT_EQ(lastMessage(), "目标目录“" + tree / "nowhere" + "”不存在，请重新设置目标目录！");
    EXPECT_EQ(toolkit.panes().size(), 1u) << "nothing started";
    EXPECT_TRUE(fs::exists(a));
}

TEST_F(TransferTest, OnlyTheTickedRowsAsTheCommandStartedAreActedOn) {
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i) {
        paths.push_back(tree.write("src/f" + std::to_string(i), std::to_string(i)));
    }
    list(paths);
    for (std::size_t r = 0; r < 10; ++r) {
        state.results.setTick(r, r % 3 == 0 ? kTicked : kUnticked); // rows 0, 3, 6, 9
    }
    // Meanwhile the user sorts, unticks everything and starts to empty the list.
    toolkit.onProcessEvents([&] {
        sortByColumn(state.results, kNameColumn, SortKind::Text, false);
        state.results.setAllTicks(kUnticked);
    });
    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(namesIn(target), (std::vector<std::string>{"f0", "f3", "f6", "f9"}));
    EXPECT_EQ(toolkit.progressMaximum(), 4);
    EXPECT_EQ(toolkit.progressValue(), 4);
}

TEST_F(TransferTest, MovesAcrossFileSystemsCopyThenRemove) {
    ScopedTmpfs other(tree / "other", "16m");
    if (!other.mounted()) {
        GTEST_SKIP() << other.error();
    }
    const std::string source = tree.write("other/across.bin", std::string(300000, 'q'));
    test::setModificationTime(source, 1500000000);
    list({source});
    transferChecked(state, toolkit, TransferMode::Move);
    EXPECT_EQ(lastMessage(), "移动文件任务完成，共完成移动文件：1个。其中目标文件夹中有重名的：0个。");
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(test::readWholeFile(target + "/across.bin"), std::string(300000, 'q'));
    struct stat moved {};
    ASSERT_EQ(stat((target + "/across.bin").c_str(), &moved), 0);
    EXPECT_EQ(moved.st_mtime, 1500000000);
    EXPECT_EQ(namesIn(target), std::vector<std::string>{"across.bin"}) << "no temporary file left";

    // Across file systems too, an existing name is never replaced.
    const std::string again = tree.write("other/across.bin", "second");
    tree.write("target/across（有重名的——榆舟）.bin", "taken");
    list({again});
    transferChecked(state, toolkit, TransferMode::Move);
    EXPECT_EQ(test::readWholeFile(target + "/across（有重名的——榆舟）.bin"), "taken");
    EXPECT_EQ(test::readWholeFile(again), "second");
}

TEST_F(TransferTest, AFailedCopyLeavesNoPartialFile) {
    ScopedTmpfs small(tree / "small", "64k");
    if (!small.mounted()) {
        GTEST_SKIP() << small.error();
    }
    const std::string big = tree.write("src/big.bin", std::string(1 << 20, 'b'));
    toolkit.targetFolder = tree / "small";
    list({big});
    transferChecked(state, toolkit, TransferMode::Copy);
    EXPECT_EQ(lastMessage(), "复制任务完成，共完成复制对象：1个。其中有重名的：0个。其中未能复制的：1个。");
    EXPECT_TRUE(namesIn(tree / "small").empty());
    // Nor does a failed copy over an existing file damage it.
    tree.write("small/big.bin", "old contents");
    EXPECT_FALSE(copyFileReplacing(big, tree / "small/big.bin"));
    EXPECT_EQ(test::readWholeFile(tree / "small/big.bin"), "old contents");
    EXPECT_EQ(namesIn(tree / "small"), std::vector<std::string>{"big.bin"});
}

TEST_F(TransferTest, DeleteAsksAndSparesReadOnlyFilesAndFolders) {
    const std::string a = tree.write("src/a.txt", "a");
    const std::string readOnly = tree.write("src/ro.txt", "r");
    const std::string becameFolder = tree.write("src/dir", "d");
    const std::string unticked = tree.write("src/keep.txt", "k");
    chmod(readOnly.c_str(), 0444);
    list({a, readOnly, becameFolder, unticked});
    state.results.setTick(3, kUnticked);
    unlink(becameFolder.c_str());
    fs::create_directory(becameFolder);

    toolkit.addStatusPane("old", 100);
    deleteChecked(state, toolkit); // answered Cancel
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(toolkit.panes().empty()) << "the panes go first, also when cancelled";
    const auto question = toolkit.messages().back();
    EXPECT_EQ(question.text, "确定要删除列表框中选中的3项文件？");
    EXPECT_EQ(question.title, "删除文件");
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);

    toolkit.queueAnswer(MessageAnswer::Ok);
    deleteChecked(state, toolkit);
    EXPECT_EQ(lastMessage(),
              "完成删除任务，共删除文件：3个。其中未能删除的（已不存在、只读、文件夹或没有权限）：2个。");
    EXPECT_FALSE(fs::exists(a));
    EXPECT_TRUE(fs::exists(readOnly));
    EXPECT_TRUE(fs::is_directory(becameFolder));
    EXPECT_TRUE(fs::exists(unticked));
}

TEST_F(TransferTest, ListCommandsWorkOnTheSelectedRow) {
    const std::string a = tree.write("src/a b.txt", "a");
    list({a});
    state.results.setCell(0, kCreatedColumn, "");
    state.results.setCell(0, kModifiedColumn, "");

    copyRowText(state, toolkit);
    EXPECT_EQ(toolkit.messageTexts().back(), "选中项内容为空，无法执行复制本行命令！");
    toolkit.selected = 0;
    copyRowText(state, toolkit);
    EXPECT_EQ(toolkit.clipboard, "1 a b.txt " + a + " 1 B  ") << "six texts, single spaces, no line end";
    copyFileName(state, toolkit);
    EXPECT_EQ(toolkit.clipboard, "a b.txt");
    copyPath(state, toolkit);
    EXPECT_EQ(toolkit.clipboard, a);
    openContainingFolder(state, toolkit);
    EXPECT_EQ(toolkit.shownInFileManager, std::vector<std::string>{a});
    openFile(state, toolkit);
    EXPECT_EQ(toolkit.opened, std::vector<std::string>{a});

    deleteSelectedFile(state, toolkit); // Cancel
    EXPECT_EQ(toolkit.messages().back().text, "确定要删除文件：  a b.txt");
    EXPECT_EQ(toolkit.messages().back().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(fs::exists(a));
    toolkit.queueAnswer(MessageAnswer::Ok);
    deleteSelectedFile(state, toolkit);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(state.results.rowCount(), 1u) << "the row stays";
    openFile(state, toolkit);
    EXPECT_EQ(toolkit.messageTexts().back(), "该文件已不存在，是否移动了该文件？");

    toolkit.selected.reset();
    const std::size_t messages = toolkit.messages().size();
    openFile(state, toolkit);
    EXPECT_EQ(toolkit.messages().size(), messages) << "no row, nothing happens";
    for (auto command : {copyFileName, copyPath, deleteSelectedFile, openContainingFolder}) {
        command(state, toolkit);
    }
    const auto texts = toolkit.messageTexts();
    EXPECT_EQ(std::vector<std::string>(texts.end() - 4, texts.end()),
              (std::vector<std::string>{
                  "选中项内容为空，无法执行复制文件名命令！", "选中项内容为空，无法执行复制路径命令！",
                  "选中项内容为空，无法执行删除命令！", "选中项内容为空，无法执行打开所在文件夹命令！"}));

    tickAll(state, false);
    EXPECT_EQ(state.results.tick(0), kUnticked);
    tickAll(state, true);
    EXPECT_EQ(state.results.tick(0), kTicked);
}

} // namespace
} // namespace yuzhou
