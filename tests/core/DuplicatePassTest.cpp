#include "duplicates/DuplicatePass.h"

#include "ProgramState.h"
#include "RecordingToolkit.h"
#include "TempFolder.h"
#include "duplicates/FileFingerprint.h"
#include "duplicates/RemoveDuplicates.h"
#include "list/ColumnClick.h"
#include "search/ResultTexts.h"
#include "search/RunSearch.h"

#include <gtest/gtest.h>
#include <map>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yuzhou {
namespace {

constexpr const char* kEmptyMd5 = "d41d8cd98f00b204e9800998ecf8427e";

/// MD5 straight from OpenSSL's one-shot digest: the oracle.
std::string md5Of(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
    std::string text;
    char hex[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(hex, sizeof hex, "%02x", digest[i]);
        text += hex;
    }
    return text;
}

class DuplicatePassTest : public ::testing::Test {
protected:
    test::TempFolder tree;
    ProgramState state;
    test::RecordingToolkit toolkit;

    void SetUp() override {
        state.settings.extensionList = "dat";
        state.settings.sizeFilterChoice = "不筛选";
        state.settings.nameFilterChoice = "不筛选";
        state.settings.findDuplicates = true;
        state.fingerprintPool.start(2);
        toolkit.searchFolder = tree.path();
    }

    void TearDown() override { state.duplicatePass.waitUntilEnded(); }

    void search() {
        runSearch(state, toolkit);
        state.duplicatePass.waitUntilEnded();
    }

    std::vector<std::string> column(int c) const {
        std::vector<std::string> texts;
        for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
            texts.push_back(state.results.cell(r, c));
        }
        return texts;
    }

    /// Row contents by file name: mark and md5.
    std::map<std::string, std::pair<std::string, std::string>> marksByName() const {
        std::map<std::string, std::pair<std::string, std::string>> marks;
        for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
            marks[state.results.cell(r, kNameColumn)] = {state.results.cell(r, kDuplicateColumn),
                                                         state.results.cell(r, kMd5Column)};
        }
        return marks;
    }

    bool rowPainted(std::size_t row) const {
        for (int c = kNumberColumn; c <= kDuplicateColumn; ++c) {
            if (state.colours.colourAt(static_cast<int>(row), c).text != kRed) {
                return false;
            }
        }
        return state.colours.colourAt(static_cast<int>(row), kTickColumn).text != kRed &&
               state.colours.colourAt(static_cast<int>(row), kMd5Column).text != kRed;
    }

    bool rowUnpainted(std::size_t row) const {
        for (int c = 0; c < kColumnCount; ++c) {
            if (state.colours.colourAt(static_cast<int>(row), c).text == kRed) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(DuplicatePassTest, AnEmptyListEndsAtOnce) {
    search();
    EXPECT_EQ(toolkit.summary(), "共找到0项文件。没有发现重复文件。");
    EXPECT_EQ(toolkit.messageTexts(),
              std::vector<std::string>{"查找完成，共找到0项文件。没有发现重复文件。"});
    EXPECT_EQ(toolkit.button(CommandButton::Search).caption, "查找文件");
    EXPECT_TRUE(toolkit.button(CommandButton::Search).enabled);
    EXPECT_FALSE(state.duplicatePass.running());
}

TEST_F(DuplicatePassTest, OneRowStaysUnmarked) {
    tree.write("only.dat", "x");
    search();
    EXPECT_EQ(column(kDuplicateColumn), std::vector<std::string>{""});
    EXPECT_EQ(toolkit.messageTexts(),
              std::vector<std::string>{"查找完成，共找到1项文件。没有发现重复文件。"});
}

TEST_F(DuplicatePassTest, WithoutEqualSizesNothingIsReadAndTheListIsInSizeOrder) {
    tree.write("c.dat", "ccc");
    tree.write("a.dat", "a");
    tree.write("sub/b.dat", "bb");
    tree.write("d.dat", "dddd");
    search();
    EXPECT_EQ(column(kNameColumn), (std::vector<std::string>{"a.dat", "b.dat", "c.dat", "d.dat"}));
    EXPECT_EQ(column(kNumberColumn), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(column(kDuplicateColumn), (std::vector<std::string>{"无", "无", "无", "无"}));
    EXPECT_EQ(column(kMd5Column), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(toolkit.messageTexts(),
              std::vector<std::string>{"查找完成，共找到4项文件。没有发现重复文件。"});
    EXPECT_EQ(state.colours.entryCount(), 0u);
}

TEST_F(DuplicatePassTest, EqualSizesWithDifferentContentAreReadButNoGroup) {
    tree.write("x.dat", "same size one");
    tree.write("y.dat", "same size two");
    search();
    const auto marks = marksByName();
    EXPECT_EQ(marks.at("x.dat"), (std::pair<std::string, std::string>{"无", md5Of("same size one")}));
    EXPECT_EQ(marks.at("y.dat"), (std::pair<std::string, std::string>{"无", md5Of("same size two")}));
    EXPECT_EQ(toolkit.summary(), "共找到2项文件。其中发现重复文件：0组。");
    EXPECT_EQ(toolkit.messageTexts(),
              std::vector<std::string>{"查找完成，共找到2项文件。其中发现重复文件：0组。"});
    EXPECT_EQ(state.colours.entryCount(), 0u);
}

TEST_F(DuplicatePassTest, GroupsAreNumberedByDescendingFingerprintAndPainted) {
    // Five files of one size: three of one content, two of another, apart in the tree;
    // and two files of sizes nobody shares, which are never read.
    const std::string first = "content one..";
    const std::string second = "content two..";
    tree.write("a/1.dat", first);
    tree.write("b/2.dat", second);
    tree.write("c/3.dat", first);
    tree.write("d/4.dat", second);
    tree.write("e/5.dat", first);
    tree.write("lonely.dat", "x");
    tree.write("lonelier.dat", "some other length");
    search();

    const std::string greater = std::max(md5Of(first), md5Of(second));
    const std::string lesser = std::min(md5Of(first), md5Of(second));
    // Fingerprinted rows first, by descending fingerprint; the others after them.
    const std::vector<std::string> md5s = column(kMd5Column);
    const std::vector<std::string> marks = column(kDuplicateColumn);
    const std::size_t greaterCount = greater == md5Of(first) ? 3 : 2;
    for (std::size_t r = 0; r < 5; ++r) {
        const bool inFirstGroup = r < greaterCount;
        EXPECT_EQ(md5s[r], inFirstGroup ? greater : lesser) << r;
        EXPECT_EQ(marks[r], inFirstGroup ? "重复文件第1组" : "重复文件第2组") << r;
        EXPECT_TRUE(rowPainted(r)) << r;
    }
    for (std::size_t r = 5; r < 7; ++r) {
        EXPECT_EQ(md5s[r], "") << "never read";
        EXPECT_EQ(marks[r], "无");
        EXPECT_TRUE(rowUnpainted(r)) << r;
    }
    EXPECT_EQ(column(kNumberColumn), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(toolkit.messageTexts(),
              std::vector<std::string>{"查找完成，共找到7项文件。其中发现重复文件：2组。"});
    EXPECT_EQ(toolkit.panes()[0].text, "任务完成！");
    EXPECT_EQ(toolkit.progressValue(), toolkit.progressMaximum()) << "the bar ends full";
    EXPECT_EQ(toolkit.progressMaximum(), 5 + 3);
    EXPECT_TRUE(toolkit.button(CommandButton::Search).enabled);
}

TEST_F(DuplicatePassTest, EmptyFilesFormOneGroup) {
    for (const char* name : {"e1.dat", "x/e2.dat", "y/e3.dat"}) {
        tree.write(name, "");
    }
    tree.write("full.dat", "not empty");
    search();
    const auto marks = marksByName();
    for (const char* name : {"e1.dat", "e2.dat", "e3.dat"}) {
        EXPECT_EQ(marks.at(name), (std::pair<std::string, std::string>{"重复文件第1组", kEmptyMd5})) << name;
    }
    EXPECT_EQ(marks.at("full.dat").first, "无");
}

TEST_F(DuplicatePassTest, FilesThatChangeOrVanishMidPassEndWithASummary) {
    // A list whose files change between their listing and their reading: one goes, one
    // grows, one shrinks, one stays.
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat"}) {
        addResultRow(state.results, name, tree.write(name, "same"));
    }
    state.results.setAllTicks(kTicked);
    unlink((tree / "a.dat").c_str());
    tree.write("b.dat", "same and more");
    tree.write("c.dat", "sa");
    toolkit.setButton(CommandButton::Search, "正在查找", false);
    markDuplicateCandidates(state, toolkit);
    state.duplicatePass.waitUntilEnded();
    const auto marks = marksByName();
    EXPECT_EQ(marks.at("a.dat").first, "无法读取");
    EXPECT_EQ(marks.at("b.dat").first, "无法读取");
    EXPECT_EQ(marks.at("c.dat").first, "无法读取");
    EXPECT_EQ(marks.at("d.dat"), (std::pair<std::string, std::string>{"无", md5Of("same")}));
    EXPECT_EQ(toolkit.messageTexts(),
              std::vector<std::string>{"查找完成，共找到4项文件。其中发现重复文件：0组。"});
    EXPECT_TRUE(toolkit.button(CommandButton::Search).enabled);
}

TEST_F(DuplicatePassTest, FilesChangingWhileTheSearchListsThemNeverHoldThePass) {
    for (int i = 0; i < 30; ++i) {
        tree.write("d" + std::to_string(i % 3) + "/f" + std::to_string(i) + ".dat", "same size");
    }
    int turns = 0;
    toolkit.onProcessEvents([&] {
        // Whatever is read meanwhile, files keep vanishing and changing.
        const std::string name =
            tree / ("d" + std::to_string(turns % 3) + "/f" + std::to_string(turns) + ".dat");
        if (turns++ % 2 == 0) {
            unlink(name.c_str());
        } else {
            tree.write("d" + std::to_string(turns % 3) + "/f" + std::to_string(turns) + ".dat",
                       "other size!");
        }
    });
    search();
    ASSERT_EQ(toolkit.messages().size(), 1u);
    EXPECT_TRUE(toolkit.messageTexts()[0].starts_with("查找完成，共找到"));
    for (const auto& [name, mark] : marksByName()) {
        EXPECT_TRUE(mark.first == "无" || mark.first == "无法读取" || mark.first.starts_with("重复文件第"))
            << name;
    }
}

TEST_F(DuplicatePassTest, FingerprintsReachTheirOwnRowsWhateverTheUserSorts) {
    std::map<std::string, std::string> contents;
    for (int i = 0; i < 40; ++i) {
        const std::string content = "file " + std::to_string(i % 7) + "    "; // one length, seven contents
        const std::string name = "f" + std::to_string(i) + ".dat";
        tree.write("d" + std::to_string(i % 5) + "/" + name, content);
        contents[name] = md5Of(content);
    }
    // The user clicks headers while the fingerprints come in.
    int clicks = 0;
    toolkit.onProcessEvents([&] { toolkit.carryOut([&] { onColumnClick(state, 2 + clicks++ % 3); }); });
    runSearch(state, toolkit);
    for (int i = 0; i < 20 && state.duplicatePass.running(); ++i) {
        toolkit.carryOut([&] { onColumnClick(state, kNameColumn); });
    }
    state.duplicatePass.waitUntilEnded();
    for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
        const std::string name = state.results.cell(r, kNameColumn);
        EXPECT_EQ(state.results.cell(r, kMd5Column), contents.at(name)) << name;
        EXPECT_TRUE(state.results.cell(r, kDuplicateColumn).starts_with("重复文件第")) << name;
    }
}

TEST_F(DuplicatePassTest, ClosingEndsThePassWithoutTouchingTheWindow) {
    for (int i = 0; i < 20; ++i) {
        tree.writeSparse("d/f" + std::to_string(i) + ".dat", 64 << 20);
    }
    runSearch(state, toolkit);
    toolkit.closingNow = true;
    state.duplicatePass.cancel();
    state.duplicatePass.waitUntilEnded();
    EXPECT_FALSE(state.duplicatePass.running());
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST(FileFingerprint, ReadsWholeFilesAndRefusesFilesThatChanged) {
    test::TempFolder tree;
    std::string pattern;
    for (std::size_t i = 0; i < 5242880 * 2; ++i) {
        pattern += static_cast<char>((i * 31 + 7) % 251);
    }
    const std::string twoPieces = tree.write("two-pieces.bin", pattern);
    std::optional<FileFingerprint> print =
        fingerprintFile(twoPieces, static_cast<std::int64_t>(pattern.size()));
    ASSERT_TRUE(print);
    EXPECT_EQ(print->digestText, "9b344b7f2bf041493fe5d3dbd6a051b9"); // by md5sum and Python's hashlib

    // Differing only in the last byte, or only beyond the first piece.
    std::string last = pattern;
    last.back() ^= 1;
    EXPECT_EQ(
        fingerprintFile(tree.write("last.bin", last), static_cast<std::int64_t>(last.size()))->digestText,
        md5Of(last));
    std::string beyond = pattern;
    beyond[5242880 + 10] ^= 1;
    EXPECT_NE(fingerprintFile(tree.write("beyond.bin", beyond), static_cast<std::int64_t>(beyond.size()))
                  ->digestText,
              print->digestText);

    const std::string empty = tree.write("empty.bin");
    EXPECT_EQ(fingerprintFile(empty, 0)->digestText, kEmptyMd5);
    // Sizes other than the listed one: shorter, longer, gone, a folder.
    EXPECT_FALSE(fingerprintFile(twoPieces, static_cast<std::int64_t>(pattern.size()) + 1));
    EXPECT_FALSE(fingerprintFile(twoPieces, static_cast<std::int64_t>(pattern.size()) - 1));
    EXPECT_FALSE(fingerprintFile(tree / "gone.bin", 0));
    EXPECT_FALSE(fingerprintFile(tree.path(), 0));
    std::atomic<bool> cancelled{true};
    EXPECT_FALSE(fingerprintFile(twoPieces, static_cast<std::int64_t>(pattern.size()), &cancelled));
}

TEST(FileFingerprint, AFileOfFourGibibytesAndMoreIsReadWhole) {
    test::TempFolder tree;
    const std::int64_t size = (std::int64_t{1} << 32) + 3;
    const std::string path = tree.writeSparse("big.bin", size);
    const std::optional<FileFingerprint> print = fingerprintFile(path, size);
    ASSERT_TRUE(print);
    EXPECT_EQ(print->digestText, "4ca27e0aa2e7592739ca3de160d1c3a6"); // md5sum of 2^32 + 3 zero bytes
    EXPECT_EQ(print->size, size);
}

TEST(DuplicateHelpers, DigitsAndUniqueTexts) {
    EXPECT_EQ(digitsOf("重复文件第12组"), "12");
    EXPECT_EQ(digitsOf("无"), "");
    EXPECT_EQ(uniqueTexts({"1", "2", "1", "3", "2"}), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(isGroupMark("重复文件第3组"));
    EXPECT_FALSE(isGroupMark("重复文件第组"));
    EXPECT_FALSE(isGroupMark("无"));
    EXPECT_FALSE(isGroupMark("加入识别"));
}

class RemovalTest : public DuplicatePassTest {};

TEST_F(RemovalTest, KeepsTheTopmostOfEachRunAndDeletesTheRest) {
    for (const char* name : {"a/1.dat", "b/2.dat", "c/3.dat"}) {
        tree.write(name, "group one");
    }
    for (const char* name : {"d/4.dat", "e/5.dat"}) {
        tree.write(name, "group two");
    }
    tree.write("unique.dat", "unique!!!");
    search();
    std::vector<std::string> kept;
    for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
        const std::string mark = state.results.cell(r, kDuplicateColumn);
        if (mark.starts_with("重复文件第") &&
            (r == 0 || state.results.cell(r - 1, kDuplicateColumn) != mark)) {
            kept.push_back(state.results.cell(r, kPathColumn));
        }
    }
    ASSERT_EQ(kept.size(), 2u);

    toolkit.queueAnswer(MessageAnswer::Ok);
    removeSurplusDuplicates(state, toolkit);
    const std::vector<test::RecordingToolkit::Message> messages = toolkit.messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2].text,
              "您确认要删除3个重复的文件吗？删除后您可以重新查找确认已删除。");
    EXPECT_EQ(messages[messages.size() - 2].icon, MessageIcon::Question);
    EXPECT_EQ(messages.back().text, "删除成功！");
    int left = 0;
    for (const char* name : {"a/1.dat", "b/2.dat", "c/3.dat", "d/4.dat", "e/5.dat"}) {
        left += access((tree / name).c_str(), F_OK) == 0 ? 1 : 0;
    }
    EXPECT_EQ(left, 2);
    for (const std::string& path : kept) {
        EXPECT_EQ(access(path.c_str(), F_OK), 0) << path;
    }
    EXPECT_EQ(access((tree / "unique.dat").c_str(), F_OK), 0);
    EXPECT_EQ(state.results.rowCount(), 6u) << "the list does not change";
}

TEST_F(RemovalTest, CancelDeletesNothingAndAListWithoutMarksAsksForNone) {
    tree.write("a.dat", "same");
    tree.write("b.dat", "same");
    search();
    removeSurplusDuplicates(state, toolkit); // no answer queued: Cancel
    EXPECT_EQ(access((tree / "a.dat").c_str(), F_OK) + access((tree / "b.dat").c_str(), F_OK), 0);

    state.settings.findDuplicates = false;
    search();
    toolkit.queueAnswer(MessageAnswer::Ok);
    removeSurplusDuplicates(state, toolkit);
    const auto texts = toolkit.messageTexts();
    EXPECT_EQ(texts[texts.size() - 2], "您确认要删除0个重复的文件吗？删除后您可以重新查找确认已删除。");
    EXPECT_EQ(texts.back(), "删除成功！");
}

TEST_F(RemovalTest, ACopyIsKeptWhenEitherFileChangedOrTheyAreOneFile) {
    // Three groups: in the first the surplus copy changes after the pass, in the second the
    // kept file is moved away, in the third both rows are one file under two names.
    tree.write("g1/a.dat", "first group!");
    tree.write("g1/b.dat", "first group!");
    tree.write("g2/a.dat", "second group");
    tree.write("g2/b.dat", "second group");
    tree.write("g3/a.dat", "third group!");
    ASSERT_EQ(link((tree / "g3/a.dat").c_str(), (tree / "g3/b.dat").c_str()), 0);
    search();

    std::map<std::string, std::vector<std::string>> membersOfMark;
    for (std::size_t r = 0; r < state.results.rowCount(); ++r) {
        membersOfMark[state.results.cell(r, kDuplicateColumn)].push_back(state.results.cell(r, kPathColumn));
    }
    ASSERT_EQ(membersOfMark.size(), 3u);
    for (const auto& [mark, members] : membersOfMark) {
        ASSERT_EQ(members.size(), 2u) << mark;
        const std::string& keptPath = members[0];
        const std::string& surplus = members[1];
        if (keptPath.find("/g1/") != std::string::npos) {
            test::setModificationTime(surplus, 1000000000); // same content, other time
        } else if (keptPath.find("/g2/") != std::string::npos) {
            ASSERT_EQ(rename(keptPath.c_str(), (tree / "moved.dat").c_str()), 0);
        }
    }
    toolkit.queueAnswer(MessageAnswer::Ok);
    removeSurplusDuplicates(state, toolkit);
    EXPECT_EQ(toolkit.messageTexts().back(), "删除成功！3个文件未删除：它们或保留的文件在识别后已被改动、移走"
                                             "，或与保留的文件是同一个文件。请重新查找后再试。");
    for (const char* name : {"g1/a.dat", "g1/b.dat", "g2/b.dat", "g3/a.dat", "g3/b.dat"}) {
        EXPECT_EQ(access((tree / name).c_str(), F_OK), 0) << name;
    }
}

TEST_F(DuplicatePassTest, HeaderClicksAlternateAndRepaintTheMarkedRows) {
    tree.write("a.dat", "dup!");
    tree.write("b.dat", "dup!");
    tree.write("c.dat", "other size");
    search();
    onColumnClick(state, kTickColumn);
    EXPECT_EQ(state.sortToggle, 0) << "the check-box column does nothing";
    onColumnClick(state, kNameColumn);
    EXPECT_EQ(state.sortToggle, 1);
    EXPECT_EQ(column(kNameColumn), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));
    onColumnClick(state, kSizeColumn); // descending now, whatever the column
    EXPECT_EQ(state.sortToggle, 0);
    EXPECT_EQ(column(kNameColumn)[0], "c.dat");
    for (std::size_t r = 0; r < 3; ++r) {
        const bool member = state.results.cell(r, kDuplicateColumn) != "无";
        EXPECT_EQ(rowPainted(r), member) << r;
    }
    ProgramState empty;
    onColumnClick(empty, kNameColumn);
    EXPECT_EQ(empty.sortToggle, 1) << "an empty list still turns the toggle";
}

} // namespace
} // namespace yuzhou
