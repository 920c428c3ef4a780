#include "TextBetween.h"

#include <gtest/gtest.h>

namespace yuzhou {
namespace {

struct BetweenCase {
    const char* what;
    const char* text;
    const char* label;
    const char* terminator;
    const char* expected;
};

void PrintTo(const BetweenCase& c, std::ostream* out) {
    *out << c.what;
}

class TextBetweenTest : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTest, CutsOutWhatLiesBetween) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(textBetween(c.text, c.label, c.terminator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextBetweenTest,
    ::testing::Values(
        BetweenCase{"the address after its label", "版本说明 最新版下载地址：http://x/y.zip 其它",
                    "最新版下载地址：", " ", "http://x/y.zip"},
        BetweenCase{"label missing", "在线视频教程地址：http://v ", "视频下载地址：", " ", ""},
        BetweenCase{"no terminator after the label", "最新版下载地址：http://x", "最新版下载地址：", " ", ""},
        BetweenCase{"label followed by the end of the text", "abc 最新版下载地址：", "最新版下载地址：", " ",
                    ""},
        BetweenCase{"terminator right after the label", "a: b", "a:", " ", ""},
        BetweenCase{"#引号 stands for a double quote", "<a href=\"http://x/\">", "href=#引号", "#引号",
                    "http://x/"},
        BetweenCase{"#引号 in the text is only text", "#引号abc#引号", "#引号", "#引号", ""},
        BetweenCase{"case counts", "URL:x ", "url:", " ", ""},
        BetweenCase{"the first label counts", "k=1 k=2 ", "k=", " ", "1"},
        BetweenCase{"the terminator is looked for after the label", " x k=v y", "k=", " ", "v"},
        BetweenCase{"a longer terminator", "[a]b]]", "[", "]]", "a]b"}));

} // namespace
} // namespace yuzhou
