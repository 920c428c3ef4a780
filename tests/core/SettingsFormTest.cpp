#include "settings/SettingsForm.h"

#include "RecordingToolkit.h"
#include "TempFolder.h"
#include "settings/ConfigFile.h"
#include "settings/FilterSettings.h"
#include "settings/FolderEntries.h"

#include <gtest/gtest.h>

namespace yuzhou {
namespace {

class SettingsFormTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::ScopedCurrentFolder inFolder{folder.path()};
    FilterSettings settings;
    test::RecordingToolkit toolkit;

    std::string file() const { return test::readWholeFile(folder / "dataconfig.ini"); }

    /// A form as a user fills it in for "图片文件", size and name tests on.
    SettingsForm filledForm() {
        SettingsForm form = createSettingsForm(settings);
        chooseTypePreset(form, "图片文件");
        chooseSizeSwitch(form, "筛选");
        chooseSizeRelation(form, "小于", settings);
        form.sizeValue = "100";
        chooseSizeUnit(form, "KB", settings);
        chooseNameSwitch(form, "跳过以下关键词");
        form.keywords = "预览,样片";
        return form;
    }
};

TEST_F(SettingsFormTest, FirstOpeningOfARunShowsThePromptsAndLeavesNothingApplied) {
    saveFolderEntries("/search", "/target"); // what the last run left
    settings.findDuplicates = true;
    const SettingsForm form = createSettingsForm(settings);

    SettingsForm expected;
    expected.typePreset = "请选择内容";
    expected.extensions = "如需添加类型用,(半角逗号)隔开。";
    expected.sizeSwitch = "不筛选";
    expected.sizeRelation = "请选择";
    expected.sizeValue = "填写整数";
    expected.sizeUnit = "请选择单位";
    expected.nameSwitch = "不筛选";
    expected.keywords = "关键词用英文逗号隔开。如：预览视频,样片";
    expected.sizeControlsEnabled = false;
    expected.keywordsEnabled = false;
    EXPECT_EQ(form, expected);

    EXPECT_EQ(settings.extensionList, "如需添加类型用,(半角逗号)隔开。");
    EXPECT_EQ(settings.sizeFilterChoice, "不筛选");
    EXPECT_EQ(settings.sizeValue, 0);
    EXPECT_TRUE(settings.findDuplicates) << "creation leaves the duplicates switch alone";
    EXPECT_EQ(file(), "[载入目录]\n载入目录=/search\n[保存目录]\n保存目录=/target\n")
        << "creation writes nothing";
}

TEST_F(SettingsFormTest, ApplyRefusesWithoutExtensionsAndChangesNothing) {
    saveFolderEntries("/search", "/target");
    for (const char* extensions : {"", "如需添加类型用,(半角逗号)隔开。"}) {
        SettingsForm form = filledForm();
        form.extensions = extensions;
        const FilterSettings before = settings;
        test::RecordingToolkit toolkit;
        EXPECT_FALSE(applySettingsForm(form, settings, toolkit));
        EXPECT_EQ(toolkit.messageTexts(), std::vector<std::string>{"请选择或填写文件类型!"});
        EXPECT_EQ(settings.extensionList, before.extensionList);
        EXPECT_EQ(settings.findDuplicates, before.findDuplicates);
        EXPECT_EQ(file(), "[载入目录]\n载入目录=/search\n[保存目录]\n保存目录=/target\n");
    }
}

TEST_F(SettingsFormTest, ApplyWritesTheTenFilterEntriesAndReplacesTheFolders) {
    saveFolderEntries("/search", "/target");
    SettingsForm form = filledForm();
    form.showDuplicates = true;
    EXPECT_TRUE(applySettingsForm(form, settings, toolkit));
    EXPECT_TRUE(toolkit.messages().empty());
    EXPECT_EQ(file(), "[文件后缀]\n文件后缀=jpg,bmp,gif,png\n"
                      "[选择类型]\n选择类型=图片文件\n"
                      "[限制类型]\n限制类型=小于\n"
                      "[限制大小]\n限制大小=100\n"
                      "[限制单位]\n限制单位=KB\n"
                      "[限制名称]\n限制名称=预览,样片\n"
                      "[筛大小]\n是否=筛选\n"
                      "[筛名称]\n是否=跳过以下关键词\n"
                      "[全局_单选名称项]\n全局_单选名称项=2\n"
                      "[全局_筛大小]\n全局_筛大小=真\n");
    EXPECT_EQ(settings.extensionList, "jpg,bmp,gif,png");
    EXPECT_EQ(settings.sizeFilterChoice, "筛选");
    EXPECT_EQ(settings.sizeRelation, "小于");
    EXPECT_EQ(settings.sizeValue, 100);
    EXPECT_EQ(settings.sizeUnit, "KB");
    EXPECT_EQ(settings.nameFilterChoice, "跳过以下关键词");
    EXPECT_EQ(settings.nameKeywords, "预览,样片");
    EXPECT_TRUE(settings.findDuplicates);
    EXPECT_TRUE(settings.sizeFilterOn);
    EXPECT_EQ(settings.nameFilterKind, 2);

    // A normal close afterwards leaves only the two folders.
    saveFolderEntries("/search", "/target");
    EXPECT_EQ(file(), "[载入目录]\n载入目录=/search\n[保存目录]\n保存目录=/target\n");
    EXPECT_EQ(loadFolderEntries().searchFolder, "/search");
    EXPECT_EQ(loadFolderEntries().targetFolder, "/target");
}

TEST_F(SettingsFormTest, ASizeParameterLeftOnItsPromptKeepsTheDialogOpenWithTheSettingsInForce) {
    struct Case {
        std::string relation;
        std::string value;
        std::string unit;
        std::string message;
    };
    const Case cases[] = {
        {"请选择", "填写整数", "请选择单位", "您选择了筛选大小，但却未设置筛选大小参数，请选择下面参数！"},
        {"大于", "填写整数", "请选择单位", "请填写筛选大小！"},
        {"大于", "5", "请选择单位", "请选择单位！"},
        {"", "", "", ""}, // empty texts are no prompts: the dialog closes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        SettingsForm form = filledForm();
        form.sizeRelation = c.relation;
        form.sizeValue = c.value;
        form.sizeUnit = c.unit;
        test::RecordingToolkit toolkit;
        EXPECT_EQ(applySettingsForm(form, settings, toolkit), c.message.empty());
        EXPECT_EQ(toolkit.messageTexts(),
                  c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_EQ(settings.sizeFilterChoice, "筛选");
        EXPECT_EQ(settings.sizeRelation, c.relation);
        EXPECT_EQ(ConfigFile::read("限制类型", "限制类型"), c.relation);
    }
}

TEST_F(SettingsFormTest, ReopeningShowsWhatWasAppliedButNotTheDuplicatesTick) {
    SettingsForm form = filledForm();
    form.showDuplicates = true;
    ASSERT_TRUE(applySettingsForm(form, settings, toolkit));

    const SettingsForm reopened = createSettingsForm(settings);
    SettingsForm expected = form;
    expected.showDuplicates = false;
    EXPECT_EQ(reopened, expected);
    EXPECT_TRUE(settings.findDuplicates) << "kept until the next Apply";
}

TEST_F(SettingsFormTest, TheNameKindIsKeptWhenTheNameTestIsSwitchedOff) {
    // The first Apply of a run with the name test off writes what creation read back.
    SettingsForm form = createSettingsForm(settings);
    chooseTypePreset(form, "mp3文件");
    ASSERT_TRUE(applySettingsForm(form, settings, toolkit));
    EXPECT_EQ(ConfigFile::read("全局_单选名称项", "全局_单选名称项"), "0");
    EXPECT_EQ(ConfigFile::read("全局_筛大小", "全局_筛大小"), "假");

    chooseNameSwitch(form, "跳过以下关键词");
    ASSERT_TRUE(applySettingsForm(form, settings, toolkit));
    EXPECT_EQ(ConfigFile::read("全局_单选名称项", "全局_单选名称项"), "2");
    chooseNameSwitch(form, "不筛选");
    ASSERT_TRUE(applySettingsForm(form, settings, toolkit));
    EXPECT_EQ(ConfigFile::read("全局_单选名称项", "全局_单选名称项"), "2");
    chooseNameSwitch(form, "包含以下关键词");
    ASSERT_TRUE(applySettingsForm(form, settings, toolkit));
    EXPECT_EQ(settings.nameFilterKind, 1);

    // A new opening reads the kind back.
    settings.nameFilterKind = 0;
    createSettingsForm(settings);
    EXPECT_EQ(settings.nameFilterKind, 1);
}

TEST_F(SettingsFormTest, SwitchesEnableAndDisableTheirControls) {
    SettingsForm form = createSettingsForm(settings);
    chooseSizeSwitch(form, "筛选");
    EXPECT_TRUE(form.sizeControlsEnabled);
    form.sizeRelation = "大于";
    form.sizeValue = "3";
    form.sizeUnit = "MB";
    chooseSizeSwitch(form, "筛选");
    EXPECT_EQ(form.sizeValue, "3") << "switching on keeps the texts";
    chooseSizeSwitch(form, "不筛选");
    EXPECT_FALSE(form.sizeControlsEnabled);
    EXPECT_EQ(form.sizeRelation, "请选择");
    EXPECT_EQ(form.sizeValue, "填写整数");
    EXPECT_EQ(form.sizeUnit, "请选择单位");

    chooseSizeSwitch(form, "筛选");
    resetSettingsForm(form);
    EXPECT_TRUE(form.sizeControlsEnabled) << "Reset leaves the controls enabled";
    EXPECT_EQ(form.sizeSwitch, "不筛选");

    chooseNameSwitch(form, "包含以下关键词");
    EXPECT_TRUE(form.keywordsEnabled);
    chooseNameSwitch(form, "不筛选");
    EXPECT_FALSE(form.keywordsEnabled);
}

TEST_F(SettingsFormTest, PresetsFillTheExtensionBox) {
    const std::pair<std::string, std::string> presets[] = {
        {"mp3文件", "mp3"},
        {"视频文件", "mp4,mov,avi,mkv,flv,wmv,asf,rmvb"},
        {"图片文件", "jpg,bmp,gif,png"},
        {"word文件", "doc,docx"},
        {"excel文件", "xls,xlsx"},
        {"压缩文件", "rar,zip,cab,iso,7z"},
        {"可执行程序（.exe）", "exe"},
        {"纯文本文件", "txt"},
        {"自定义文件类型", "自定义文件类型用,隔开。（删除此文字）"},
    };
    SettingsForm form = createSettingsForm(settings);
    for (const auto& [item, extensions] : presets) {
        chooseTypePreset(form, item);
        EXPECT_EQ(form.extensions, extensions);
        EXPECT_EQ(form.typePreset, item);
    }
    // The custom text passes Apply's check unchanged.
    EXPECT_TRUE(applySettingsForm(form, settings, toolkit));
    EXPECT_EQ(settings.extensionList, "自定义文件类型用,隔开。（删除此文字）");
    const FilterSettings before = settings;
    chooseTypePreset(form, "请选择内容");
    EXPECT_EQ(form.extensions, "自定义文件类型用,隔开。（删除此文字）") << "a prompt leaves the box alone";
    EXPECT_EQ(settings.extensionList, before.extensionList) << "a preset does not touch the settings";
}

TEST_F(SettingsFormTest, RelationAndUnitTakeEffectWithoutApply) {
    SettingsForm form = createSettingsForm(settings);
    chooseSizeRelation(form, "等于", settings);
    chooseSizeUnit(form, "GB", settings);
    form.sizeValue = "7"; // typed, not applied
    EXPECT_EQ(settings.sizeRelation, "等于");
    EXPECT_EQ(settings.sizeUnit, "GB");
    EXPECT_EQ(settings.sizeValue, 0);
    EXPECT_EQ(settings.extensionList, "如需添加类型用,(半角逗号)隔开。");
}

TEST_F(SettingsFormTest, TickingShowDuplicatesWarnsEachTime) {
    SettingsForm form = createSettingsForm(settings);
    clickShowDuplicates(form, true, toolkit);
    clickShowDuplicates(form, false, toolkit);
    clickShowDuplicates(form, true, toolkit);
    ASSERT_EQ(toolkit.messages().size(), 2u);
    EXPECT_EQ(toolkit.messages()[0].title, "显示重复文件：");
    EXPECT_EQ(toolkit.messages()[0].text, "选中该选项将显示重复文件。如您的文件比较多或者比较大将比较耗时，"
                                          "您可以去泡杯茶或先忙其他事情，过会在来查看结果！");
    EXPECT_FALSE(settings.findDuplicates) << "only Apply sets it";
}

} // namespace
} // namespace yuzhou
