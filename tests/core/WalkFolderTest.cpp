#include "search/WalkFolder.h"

#include "RecordingToolkit.h"
#include "TempFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yuzhou {
namespace {

struct Visit {
    std::string name;
    std::string path;
    bool operator==(const Visit&) const = default;
};

std::vector<Visit> walk(std::string_view folder, std::string_view pattern = "", bool recurse = true,
                        test::RecordingToolkit* toolkit = nullptr) {
    test::RecordingToolkit ownToolkit;
    std::vector<Visit> visits;
    walkFolder(
        folder, pattern, recurse,
        [&](std::string name, std::string path, int) {
            visits.push_back({name, path});
        },
        toolkit ? *toolkit : ownToolkit);
    return visits;
}

/// The order a walk must give, worked out the plain recursive way straight from readdir:
/// the files of a folder in listing order, then each sub-folder in listing order.
void referenceWalk(const std::string& folder, std::vector<Visit>& visits) {
    std::vector<std::string> subFolders;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat st {};
        lstat((folder + "/" + name).c_str(), &st);
        if (S_ISREG(st.st_mode)) {
            visits.push_back({name, folder + "/" + name});
        } else if (S_ISDIR(st.st_mode)) {
            subFolders.push_back(folder + "/" + name);
        }
    }
    closedir(dir);
    for (const std::string& sub : subFolders) {
        referenceWalk(sub, visits);
    }
}

class WalkFolderTest : public ::testing::Test {
protected:
    test::TempFolder tree;

    void SetUp() override {
        for (const char* file : {"b.txt", "a.txt", "s/c.txt", "s/t/d.txt", "s/t/e.jpg", "u/f.txt",
                                 ".hidden/g.txt", ".h.txt", "s/readme", "u/v/w/x.TXT"}) {
            tree.write(file, "x");
        }
        tree.makeFolder("empty");
        tree.link("link.txt", "a.txt");
        tree.link("s/loop", tree.path()); // a cycle the walk must not follow
        tree.link("dangling.txt", "nowhere");
        mkfifo((tree / "s/pipe").c_str(), 0600);
    }
};

TEST_F(WalkFolderTest, VisitsFilesBeforeSubFoldersInPreOrder) {
    std::vector<Visit> expected;
    referenceWalk(tree.path(), expected);
    ASSERT_EQ(expected.size(), 10u) << "links, the pipe and folders are not files";
    EXPECT_EQ(walk(tree.path()), expected);
}

TEST_F(WalkFolderTest, TrailingSlashMakesNoDifference) {
    EXPECT_EQ(walk(tree.path()), walk(tree.path() + "/"));
    for (const Visit& visit : walk(tree.path() + "/")) {
        EXPECT_EQ(visit.path.find("//"), std::string::npos) << visit.path;
    }
}

TEST_F(WalkFolderTest, WithoutRecursionOnlyTheFolderItself) {
    std::vector<std::string> names;
    for (const Visit& visit : walk(tree.path(), "", false)) {
        names.push_back(visit.name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".h.txt", "a.txt", "b.txt"}));
}

TEST_F(WalkFolderTest, APatternSelectsFilesAndEveryFolderIsStillWalked) {
    std::vector<std::string> names;
    for (const Visit& visit : walk(tree.path(), "txt")) {
        names.push_back(visit.name);
    }
    std::sort(names.begin(), names.end());
    // "txt" becomes the mask "*.txt", matched without regard to case as on Windows.
    EXPECT_EQ(names, (std::vector<std::string>{".h.txt", "a.txt", "b.txt", "c.txt", "d.txt", "f.txt", "g.txt",
                                               "x.TXT"}));
}

TEST_F(WalkFolderTest, LetsEventsRunOnceAfterEachSubFolder) {
    test::RecordingToolkit toolkit;
    walk(tree.path(), "", true, &toolkit);
    // s, s/t, u, u/v, u/v/w, .hidden, empty
    EXPECT_EQ(toolkit.processEventsCalls(), 7);
}

TEST_F(WalkFolderTest, StopsWhenTheWindowCloses) {
    test::RecordingToolkit toolkit;
    toolkit.onProcessEvents([&] { toolkit.closingNow = true; });
    const std::vector<Visit> visits = walk(tree.path(), "", true, &toolkit);
    EXPECT_EQ(toolkit.processEventsCalls(), 1);
    EXPECT_LT(visits.size(), 10u);
}

TEST(WalkFolder, MaskRules) {
    EXPECT_EQ(walkMask(""), "*.*");
    EXPECT_EQ(walkMask("*"), "*.*");
    EXPECT_EQ(walkMask("txt"), "*.txt");
    EXPECT_EQ(walkMask("*.jpg"), "*.jpg");
    EXPECT_EQ(walkMask("a*.b"), "a*.b");
    EXPECT_EQ(walkMask("a.b"), "*.a.b");

    struct Case {
        std::string_view name;
        std::string_view mask;
        bool matches;
    };
    const Case cases[] = {
        {"readme", "*.*", true},       {"a.txt", "*.txt", true},     {"A.TXT", "*.txt", true},
        {"a.txt.bak", "*.txt", false}, {"readme", "readme.*", true}, {"readme.md", "readme.*", true},
        {"ab.c", "?b.c", true},        {"b.c", "?b.c", false},       {"中文.jpg", "*.jpg", true},
        {"x", "*.txt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " ~ " + std::string(c.mask));
        EXPECT_EQ(matchesMask(c.name, c.mask), c.matches);
    }
}

TEST(WalkFolder, AMissingFolderYieldsNothing) {
    test::TempFolder tree;
    EXPECT_TRUE(walk(tree / "missing").empty());
    EXPECT_TRUE(walk(tree / "missing/").empty());
}

TEST(WalkFolder, NamesThatAreNotUtf8ArePassedThroughUntouched) {
    test::TempFolder tree;
    const std::string name = "bad\xFF\xFEname.txt";
    tree.write(name, "x");
    const std::vector<Visit> visits = walk(tree.path());
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].name, name);
    EXPECT_EQ(access(visits[0].path.c_str(), F_OK), 0);
}

TEST(WalkFolder, AnUnreadableFolderIsPassedOverAndTheWalkGoesOn) {
    test::TempFolder tree;
    chmod(tree.path().c_str(), 0755);
    tree.write("a/1.txt", "x");
    tree.write("locked/2.txt", "x");
    tree.write("z/3.txt", "x");
    chmod((tree / "locked").c_str(), 0700);
    EXPECT_TRUE(test::runAsOrdinaryUser(
        [](const std::string& root) {
            std::vector<std::string> names;
            for (const Visit& visit : walk(root)) {
                names.push_back(visit.name);
            }
            std::sort(names.begin(), names.end());
            return names == std::vector<std::string>{"1.txt", "3.txt"};
        },
        tree.path()));
}

TEST(WalkFolder, ATreeTenThousandFoldersDeepDoesNotExhaustTheStack) {
    test::TempFolder tree;
    constexpr int depth = 10000;
    const int rootFd = open(tree.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(rootFd, 0);
    int fd = rootFd;
    for (int level = 1; level <= depth; ++level) {
        ASSERT_EQ(mkdirat(fd, "d", 0755), 0);
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ASSERT_GE(next, 0);
        if (fd != rootFd) {
            close(fd);
        }
        fd = next;
        if (level == 10 || level == 1000 || level == depth) {
            const int file =
                openat(fd, ("at" + std::to_string(level) + ".txt").c_str(), O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(file, 0);
            close(file);
        }
    }
    close(fd);
    close(rootFd);

    std::vector<std::string> names;
    for (const Visit& visit : walk(tree.path())) {
        names.push_back(visit.name);
    }
    // The deepest file lies beyond the longest path the system resolves: it is passed
    // over, and the walk ends normally.
    EXPECT_EQ(names, (std::vector<std::string>{"at10.txt", "at1000.txt"}));
}

} // namespace
} // namespace yuzhou
