#include "search/FileFilter.h"

#include "ProgramState.h"
#include "RecordingToolkit.h"
#include "TempFolder.h"
#include "search/RunSearch.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace yuzhou {
namespace {

struct FileSpec {
    std::string name;
    std::int64_t size = 1;
};

FilterSettings settingsFor(std::string extensions, std::string sizeChoice = "不筛选",
                           std::string relation = "", std::int32_t value = 0, std::string unit = "",
                           std::string nameChoice = "不筛选", std::string keywords = "") {
    FilterSettings settings;
    settings.extensionList = std::move(extensions);
    settings.sizeFilterChoice = std::move(sizeChoice);
    settings.sizeRelation = std::move(relation);
    settings.sizeValue = value;
    settings.sizeUnit = std::move(unit);
    settings.nameFilterChoice = std::move(nameChoice);
    settings.nameKeywords = std::move(keywords);
    return settings;
}

/// The names a search with these settings lists from a tree holding these files, sorted.
std::vector<std::string> searchNames(const std::vector<FileSpec>& files, const FilterSettings& settings) {
    test::TempFolder tree;
    for (const FileSpec& file : files) {
        tree.writeSparse(file.name, file.size);
    }
    ProgramState state;
    state.settings = settings;
    test::RecordingToolkit toolkit;
    toolkit.searchFolder = tree.path();
    runSearch(state, toolkit);
    std::vector<std::string> names;
    for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
        names.push_back(state.results.cell(r, kNameColumn));
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST(FileFilter, TypeTestComparesTheExtensionExactly) {
    const std::vector<FileSpec> files = {{"a.jpg"},     {"b.PNG"},     {"c.txt"}, {"d"},     {".jpg"},
                                         {"e.tar.jpg"}, {"f.jpg.txt"}, {"g."},    {"h.jp g"}};
    struct Case {
        std::string extensions;
        Names expected;
    };
    const Case cases[] = {
        {"jpg,png", {".jpg", "a.jpg", "e.tar.jpg"}},
        {"jpg,jpg", {".jpg", "a.jpg", "e.tar.jpg"}}, // each file once
        {"PNG", {"b.PNG"}},
        {",txt", {"c.txt", "d", "f.jpg.txt", "g.", "h.jp g"}}, // an empty entry: no extension
        {"jpg,", {".jpg", "a.jpg", "e.tar.jpg"}},
        {"JPG", {}},
        {".jpg", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extensions);
        EXPECT_EQ(searchNames(files, settingsFor(c.extensions)), c.expected);
    }
}

TEST(FileFilter, SizeTestLeavesOutTheSizesTheRelationNames) {
    constexpr std::int64_t KiB = 1024;
    constexpr std::int64_t MiB = 1024 * KiB;
    constexpr std::int64_t GiB = 1024 * MiB;
    struct Case {
        std::string relation;
        std::int32_t value;
        std::string unit;
        std::vector<FileSpec> files;
        Names expected;
    };
    const Case cases[] = {
        {"大于", 1, "MB", {{"exact.bin", MiB}, {"over.bin", MiB + 1}}, {"exact.bin"}},
        {"等于", 0, "B", {{"empty.bin", 0}, {"one.bin", 1}}, {"one.bin"}},
        {"小于",
         10,
         "KB",
         {{"below.bin", 10 * KiB - 1}, {"exact.bin", 10 * KiB}, {"above.bin", 20000}},
         {"above.bin", "exact.bin"}},
        {"大于", 3, "GB", {{"five.bin", 5 * GiB}, {"two.bin", 2 * GiB}}, {"two.bin"}},
        {"小于", 1, "mb", {{"small.bin", 10}, {"big.bin", 2 * MiB}}, {"big.bin"}}, // unit in any case
        {"大于", 5, "TB", {{"empty.bin", 0}, {"one.bin", 1}}, {"empty.bin"}},      // unknown unit: bound 0
        {"请选择", 1, "KB", {{"a.bin", 1}, {"b.bin", 5000}}, {}},                  // no relation chosen
        {"大于", -1, "B", {{"empty.bin", 0}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.relation + " " + std::to_string(c.value) + " " + c.unit);
        EXPECT_EQ(searchNames(c.files, settingsFor("bin", "筛选", c.relation, c.value, c.unit)), c.expected);
    }
}

TEST(FileFilter, NameTestLooksForKeywordsInTheNameOnly) {
    const std::vector<FileSpec> files = {{"预览视频1.mp4"}, {"样片2.mp4"},  {"预览视频样片.mp4"},
                                         {"other.mp4"},     {"2023/a.mp4"}, {"a2023.mp4"}};
    struct Case {
        std::string choice;
        std::string keywords;
        Names expected;
    };
    const Case cases[] = {
        {"包含以下关键词", "预览视频,样片", {"样片2.mp4", "预览视频1.mp4", "预览视频样片.mp4"}},
        // Skipped only when the name holds every keyword.
        {"跳过以下关键词",
         "预览视频,样片",
         {"2023/a.mp4", "a2023.mp4", "other.mp4", "样片2.mp4", "预览视频1.mp4"}},
        // A leading comma makes an empty keyword, which no name holds: nothing is skipped.
        {"跳过以下关键词",
         ",样片",
         {"2023/a.mp4", "a2023.mp4", "other.mp4", "样片2.mp4", "预览视频1.mp4", "预览视频样片.mp4"}},
        {"包含以下关键词", "", {}},
        {"跳过以下关键词", "", {}},
        {"包含以下关键词", "2023", {"a2023.mp4"}}, // the folder 2023 does not count
        {"包含以下关键词", "OTHER", {}},           // case counts
        {"某种选择", "other", {}},                 // any other choice lets nothing pass
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice + " " + c.keywords);
        Names names = searchNames(files, settingsFor("mp4", "不筛选", "", 0, "", c.choice, c.keywords));
        // Rows hold names; map the one in the folder back for comparison.
        std::replace(names.begin(), names.end(), std::string("a.mp4"), std::string("2023/a.mp4"));
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.expected);
    }
}

TEST(FileFilter, BothTestsMustPassWhenBothAreOn) {
    const std::vector<FileSpec> files = {
        {"样片-big.mp4", 5000}, {"样片-small.mp4", 10}, {"other-big.mp4", 5000}};
    EXPECT_EQ(searchNames(files, settingsFor("mp4", "筛选", "小于", 1, "KB", "包含以下关键词", "样片")),
              Names{"样片-big.mp4"});
}

TEST(FileFilter, NothingPassesBeforeSettingsAreApplied) {
    // The size choice is neither "筛选" nor "不筛选" until the dialog's Apply.
    EXPECT_EQ(searchNames({{"a.jpg"}}, settingsFor("jpg", "")), Names{});
    EXPECT_EQ(searchNames({{"a.jpg"}}, settingsFor("jpg", "请选择")), Names{});
}

TEST(FileFilter, CountsEveryFileItIsGivenAndLetsEventsRunPerEntry) {
    test::TempFolder tree;
    test::RecordingToolkit toolkit;
    toolkit.addStatusPane("", 100);
    toolkit.addStatusPane("", -1);
    ResultList results;
    std::int64_t examined = 0;
    FileFilter filter(settingsFor("a,b,c"), results, toolkit, examined);
    filter.filterFile("x.c", tree.write("x.c"));
    filter.filterFile("y.z", tree.write("y.z"));
    filter.filterFile("gone.a", tree / "gone.a");
    EXPECT_EQ(examined, 3);
    EXPECT_EQ(toolkit.panes()[1].text, "3");
    EXPECT_EQ(toolkit.processEventsCalls(), 3 + 3 + 1) << "once before each entry tried";
    ASSERT_EQ(results.rowCount(), 1u) << "a file gone since the walk gets no row";
    EXPECT_EQ(results.cell(0, kNameColumn), "x.c");
}

TEST(FileFilter, SettingsChangedDuringASearchDoNotChangeIt) {
    test::TempFolder tree;
    tree.write("a.jpg");
    tree.write("b.png");
    ProgramState state;
    state.settings = settingsFor("jpg");
    test::RecordingToolkit toolkit;
    toolkit.searchFolder = tree.path();
    toolkit.onProcessEvents([&] { state.settings.extensionList = "png"; });
    runSearch(state, toolkit);
    ASSERT_EQ(state.results.rowCount(), 1u);
    EXPECT_EQ(state.results.cell(0, kNameColumn), "a.jpg");
}

} // namespace
} // namespace yuzhou
