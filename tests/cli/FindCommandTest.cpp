#include "ProgramRun.h"
#include "ResultOutput.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace yuzhou {
namespace {

using CliRun = test::ProgramRun;
using test::linesOf;

/// Runs the real yuzhou-cli with the arguments.
CliRun runCli(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {YUZHOU_CLI_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::runProgram(command);
}

std::vector<std::string> lines(const std::string& text) {
    return linesOf(text);
}

constexpr const char* kHeader = "勾选\t序号\t名称\t路径\t大小\t创建时间\t修改时间\t是否存在重复\tmd5";

class FindCommandTest : public ::testing::Test {
protected:
    test::TempFolder tree;

    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tree.write("a.jpg", std::string(1536, 'x'));
        tree.write("b.PNG", "x");
        tree.write("sub/预览视频.jpg", "");
        tree.write("sub/样片.txt", "y");
        for (const char* name : {"a.jpg", "sub/预览视频.jpg"}) {
            test::setModificationTime(tree / name, 1704182400);
        }
    }
};

TEST_F(FindCommandTest, ListsTheMatchingFilesAsTsvWithTheSummaryOnStandardError) {
    const CliRun run = runCli({"find", tree.path(), "--ext", "jpg"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "查找完成，共找到2项文件。\n");
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 3u) << run.out;
    EXPECT_EQ(rows[0], kHeader);
    EXPECT_EQ(rows[1], "1\t1\ta.jpg\t" + tree / "a.jpg" + "\t1.50 KB\t" +
                           rows[1].substr(rows[1].find("KB\t") + 3, 19) + "\t2024-01-02 08:00:00\t\t");
    EXPECT_EQ(rows[2].substr(0, rows[2].find("\t", 6)), "1\t2\t预览视频.jpg");
    EXPECT_NE(rows[2].find("\t0\t"), std::string::npos) << "an empty file's size reads 0";
}

TEST_F(FindCommandTest, SizeAndNameOptionsSetTheFilters) {
    struct Case {
        std::vector<std::string> options;
        std::size_t rows;
    };
    const Case cases[] = {
        {{"--ext", "jpg,txt"}, 3},
        {{"--ext", "jpg,txt", "--skip-size", "小于", "1", "kb"}, 1}, // only a.jpg is 1 KB or more
        {{"--ext", "jpg,txt", "--skip-size", "eq", "0", "B"}, 2},    // the empty file is left out
        {{"--ext", "jpg,txt", "--skip-size", "gt", "1.9", "Kb"}, 2}, // 1.9 KB counts as 1 KB
        {{"--ext", "jpg,txt", "--include", "样片,预览"}, 2},
        {{"--ext", "jpg,txt", "--skip", "预览"}, 2},
        {{"--ext", "PNG"}, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"find", tree.path()};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun run = runCli(arguments);
        SCOPED_TRACE(run.err);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(lines(run.out).size(), c.rows + 1) << run.out;
    }
}

TEST_F(FindCommandTest, RefusalsAreMessagesNotUsageErrors) {
    const CliRun empty = runCli({"find", tree.path(), "--ext", ""});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.err, "请先点击左上方的筛选设置，进行设置！\n");
    EXPECT_EQ(lines(empty.out), std::vector<std::string>{kHeader});

    const CliRun missing = runCli({"find", tree / "missing", "--ext", "jpg"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.err, "查找完成，共找到0项文件。\n");
}

TEST_F(FindCommandTest, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"find"},
        {"find", "--ext", "jpg"},
        {"find", tree.path()},
        {"find", tree.path(), "--ext"},
        {"find", tree.path(), "--ext", "jpg", "--bogus"},
        {"find", tree.path(), "--ext", "jpg", "--skip-size", "gt", "1", "TB"},
        {"find", tree.path(), "--ext", "jpg", "--skip-size", "more", "1", "KB"},
        {"find", tree.path(), "--ext", "jpg", "--skip-size", "gt", "many", "KB"},
        {"find", tree.path(), "--ext", "jpg", "--skip-size", "gt", "1"},
        {"find", tree.path(), "--ext", "jpg", "--skip-size", "gt", "99999999999", "B"},
        {"find", tree.path(), "--ext", "jpg", "--include", "a", "--skip", "b"},
        {"find", tree.path(), "--ext", "jpg", "--format", "xml"},
        {"find", tree.path(), tree.path(), "--ext", "jpg"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        const CliRun run = runCli(arguments);
        std::string joined;
        for (const std::string& argument : arguments) {
            joined += argument + " ";
        }
        SCOPED_TRACE(joined);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        if (!arguments.empty()) {
            EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        }
    }
}

TEST_F(FindCommandTest, CsvAndJsonCarryTheSameRows) {
    tree.write("with,comma \"quoted\".jpg", "");
    const CliRun csv = runCli({"find", tree.path(), "--ext", "jpg", "--format", "csv"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(lines(csv.out)[0], "勾选,序号,名称,路径,大小,创建时间,修改时间,是否存在重复,md5");
    EXPECT_NE(csv.out.find(",\"with,comma \"\"quoted\"\".jpg\","), std::string::npos) << csv.out;

    const CliRun json = runCli({"find", tree.path(), "--ext", "jpg", "--format", "json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_NE(json.out.find("\"名称\":\"with,comma \\\"quoted\\\".jpg\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("{\"勾选\":1,\"序号\":\"1\",\"名称\":\"a.jpg\""), std::string::npos) << json.out;
}

/// The rows of a TSV output, split into their fields.
std::vector<std::vector<std::string>> tsvRows(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines(out)) {
        rows.push_back(test::tabFields(line));
    }
    rows.erase(rows.begin()); // the header
    return rows;
}

TEST(DupesCommand, MarksSortsAndRemovesSurplusCopies) {
    test::TempFolder tree;
    tree.write("a/1.dat", "twin");
    tree.write("b/2.dat", "twin");
    tree.write("c/3.dat", "solo text");
    const CliRun pass = runCli({"find", tree.path(), "--ext", "dat", "--dupes"});
    EXPECT_EQ(pass.status, 0);
    EXPECT_EQ(pass.err, "查找完成，共找到3项文件。其中发现重复文件：1组。\n");
    const auto rows = tsvRows(pass.out);
    ASSERT_EQ(rows.size(), 3u);
    // twin's MD5, by md5sum
    EXPECT_EQ(rows[0][7], "重复文件第1组");
    EXPECT_EQ(rows[0][8], "f8a6d9182acfae3133fd1f1153f67707");
    EXPECT_EQ(rows[1][7], "重复文件第1组");
    EXPECT_EQ(rows[2][7], "无");
    EXPECT_EQ(rows[2][8], "");

    // Two clicks: by name ascending, then by size descending.
    const CliRun sorted =
        runCli({"find", tree.path(), "--ext", "dat", "--dupes", "--sort", "名称", "--sort", "大小"});
    const auto sortedRows = tsvRows(sorted.out);
    ASSERT_EQ(sortedRows.size(), 3u);
    EXPECT_EQ(sortedRows[0][2], "3.dat");
    const CliRun byName = runCli({"find", tree.path(), "--ext", "dat", "--sort", "2"});
    EXPECT_EQ(tsvRows(byName.out)[0][2], "1.dat");

    // The removal asks; without --yes the answer is Cancel.
    const CliRun refused = runCli({"find", tree.path(), "--ext", "dat", "--dupes", "--delete-surplus"});
    EXPECT_NE(refused.err.find("您确认要删除1个重复的文件吗？"), std::string::npos);
    EXPECT_EQ(refused.err.find("删除成功！"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(tree / "a/1.dat") && std::filesystem::exists(tree / "b/2.dat"));
    const CliRun removed =
        runCli({"find", tree.path(), "--ext", "dat", "--dupes", "--delete-surplus", "--yes"});
    EXPECT_NE(removed.err.find("删除成功！"), std::string::npos);
    EXPECT_NE(std::filesystem::exists(tree / "a/1.dat"), std::filesystem::exists(tree / "b/2.dat"));
    EXPECT_TRUE(std::filesystem::exists(tree / "c/3.dat"));

    EXPECT_EQ(runCli({"find", tree.path(), "--ext", "dat", "--sort", "尺寸"}).status, 2);
}

TEST(FileCommands, CopyMoveAndDeleteTheTickedFiles) {
    test::TempFolder tree;
    tree.write("src/a.txt", "a");
    tree.write("src/b.txt", "b");
    const std::string target = tree.makeFolder("target");
    const CliRun copied = runCli({"find", tree / "src", "--ext", "txt", "--copy-to", target});
    EXPECT_EQ(copied.status, 0);
    EXPECT_NE(copied.err.find("复制任务完成，共完成复制对象：2个。其中有重名的：0个。"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(target + "/a.txt") && std::filesystem::exists(target + "/b.txt"));

    const CliRun moved = runCli({"find", tree / "src", "--ext", "txt", "--move-to", target});
    EXPECT_NE(moved.err.find("移动文件任务完成，共完成移动文件：2个。其中目标文件夹中有重名的：2个。"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tree / "src/a.txt"));
    EXPECT_TRUE(std::filesystem::exists(target + "/a（有重名的——榆舟）.txt"));

    const CliRun missing = runCli({"find", target, "--ext", "txt", "--copy-to", tree / "nowhere"});
    EXPECT_NE(missing.err.find("不存在"), std::string::npos);

    const CliRun asked = runCli({"find", target, "--ext", "txt", "--delete-ticked"});
    EXPECT_NE(asked.err.find("确定要删除列表框中选中的4项文件？"), std::string::npos);
    EXPECT_EQ(asked.err.find("完成删除任务"), std::string::npos) << "no --yes: Cancel";
    const CliRun deleted = runCli({"find", target, "--ext", "txt", "--delete-ticked", "--yes"});
    EXPECT_NE(deleted.err.find("完成删除任务，共删除文件：4个。"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(target + "/a.txt"));
}

TEST(ResultOutput, FieldsKeepEveryRowOnOneLine) {
    EXPECT_EQ(tsvField("a\tb\nc\\d\re"), "a\\tb\\nc\\\\d\\re");
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a\nb"), "\"a\nb\"");
    EXPECT_EQ(jsonString("中\"\\\n"), "\"中\\\"\\\\\\u000a\"");
    EXPECT_EQ(jsonString("bad\xFF"), "\"bad\\udcff\"");
}

} // namespace
} // namespace yuzhou
