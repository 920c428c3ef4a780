#include "search/RunSearch.h"

#include "ProgramState.h"
#include "RecordingToolkit.h"
#include "TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace yuzhou {
namespace {

using Pane = test::RecordingToolkit::StatusPane;

class RunSearchTest : public ::testing::Test {
protected:
    test::TempFolder tree;
    ProgramState state;
    test::RecordingToolkit toolkit;

    void SetUp() override {
        state.settings.extensionList = "jpg";
        state.settings.sizeFilterChoice = "不筛选";
        state.settings.nameFilterChoice = "不筛选";
        toolkit.searchFolder = tree.path();
    }

    std::vector<std::string> column(int c) const {
        std::vector<std::string> texts;
        for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
            texts.push_back(state.results.cell(r, c));
        }
        return texts;
    }

    static bool before(const std::vector<std::string>& log, const std::string& first,
                       const std::string& second) {
        const auto a = std::find(log.begin(), log.end(), first);
        const auto b = std::find(log.begin(), log.end(), second);
        return a != log.end() && b != log.end() && a < b;
    }
};

TEST_F(RunSearchTest, RefusesWithoutFolderOrAppliedSettingsAndKeepsThePreviousResult) {
    struct Case {
        std::string folder;
        std::string extensions;
        std::string message;
    };
    const Case cases[] = {
        {"", "如需添加类型用,(半角逗号)隔开。", "请添加查找目录！"}, // the folder is tested first
        {"", "", "请添加查找目录！"},
        {"/tmp", "如需添加类型用,(半角逗号)隔开。",
         "请在左上角\"筛选设置\"图标进行设置，然后点击\"应用并关闭\"按钮。"},
        {"/tmp", "", "请先点击左上方的筛选设置，进行设置！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        test::RecordingToolkit refused;
        refused.searchFolder = c.folder;
        refused.addStatusPane("old", 300);
        refused.setProgressVisible(true);
        refused.setSummaryText("共找到1项文件。");
        state.results.clear();
        state.results.appendRow(ResultRow{});
        state.colours.setCellColour(0, 1, kRed);
        state.settings.extensionList = c.extensions;

        runSearch(state, refused);

        ASSERT_EQ(refused.messages().size(), 1u);
        EXPECT_EQ(refused.messages()[0].text, c.message);
        EXPECT_EQ(refused.messages()[0].title, "信息：");
        EXPECT_EQ(refused.messages()[0].icon, MessageIcon::Information);
        EXPECT_EQ(state.results.rowCount(), 1u) << "the previous rows stay";
        EXPECT_TRUE(refused.panes().empty()) << "the status bar is emptied before the tests";
        EXPECT_FALSE(refused.progressVisible());
        EXPECT_EQ(state.colours.entryCount(), 0u);
        EXPECT_EQ(refused.summary(), "共找到1项文件。");
        EXPECT_EQ(refused.button(CommandButton::Search).caption, "查找文件");
        EXPECT_TRUE(refused.button(CommandButton::Search).enabled);
    }
}

TEST_F(RunSearchTest, ASearchThatFindsThreeFiles) {
    tree.write("a.jpg");
    tree.write("b.txt");
    tree.write("s/c.jpg");
    tree.write("s/t/d.jpg");
    state.results.appendRow(ResultRow{}); // from an earlier search
    state.colours.setCellColour(0, 1, kRed);

    runSearch(state, toolkit);

    EXPECT_EQ(column(kNumberColumn), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(column(kNameColumn), (std::vector<std::string>{"a.jpg", "c.jpg", "d.jpg"}));
    EXPECT_EQ(column(kPathColumn),
              (std::vector<std::string>{tree / "a.jpg", tree / "s/c.jpg", tree / "s/t/d.jpg"}));
    for (std::size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(state.results.tick(r), kTicked);
    }
    EXPECT_TRUE(toolkit.selectAllChecked());
    EXPECT_EQ(toolkit.panes(), (std::vector<Pane>{{"  查找完成，共找到3项文件。", 300}}));
    EXPECT_EQ(toolkit.summary(), "共找到3项文件。");
    EXPECT_EQ(toolkit.messageTexts(), std::vector<std::string>{"查找完成，共找到3项文件。"});
    EXPECT_EQ(state.examinedCount, 4);
    EXPECT_EQ(state.colours.entryCount(), 0u);

    const std::vector<std::string> log = toolkit.log();
    EXPECT_TRUE(before(log, "button 正在查找 disabled", "summary "));
    EXPECT_TRUE(before(log, "message 查找完成，共找到3项文件。", "button 查找文件 enabled"))
        << "the button comes back only after the message is closed";
    EXPECT_TRUE(before(log, "summary 共找到3项文件。", "message 查找完成，共找到3项文件。"));
}

TEST_F(RunSearchTest, ASearchThatFindsNothing) {
    tree.write("a.txt");
    tree.write("b.png");
    toolkit.setSelectAllChecked(false);

    runSearch(state, toolkit);

    EXPECT_EQ(state.results.rowCount(), 0u);
    EXPECT_FALSE(toolkit.selectAllChecked()) << "the select-all box keeps its state";
    EXPECT_EQ(toolkit.panes(), (std::vector<Pane>{{" 开始查找：", 100}, {"2", -1}}));
    EXPECT_EQ(toolkit.summary(), "共找到0项文件。");
    EXPECT_EQ(toolkit.messageTexts(), std::vector<std::string>{"查找完成，共找到0项文件。"});
    EXPECT_EQ(toolkit.button(CommandButton::Search).caption, "查找文件");
    EXPECT_TRUE(toolkit.button(CommandButton::Search).enabled);
}

TEST_F(RunSearchTest, AFolderThatDoesNotExistEndsNormallyWithNothingFound) {
    toolkit.searchFolder = tree / "missing";
    runSearch(state, toolkit);
    EXPECT_EQ(toolkit.messageTexts(), std::vector<std::string>{"查找完成，共找到0项文件。"});
}

TEST_F(RunSearchTest, ClosingTheWindowDuringASearchEndsItQuietly) {
    tree.write("a.jpg");
    tree.write("s/b.jpg");
    tree.write("t/c.jpg");
    toolkit.onProcessEvents([&] { toolkit.closingNow = true; });
    runSearch(state, toolkit);
    EXPECT_TRUE(toolkit.messages().empty());
}

} // namespace
} // namespace yuzhou
