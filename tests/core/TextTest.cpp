#include "settings/FilterSettings.h"
#include "text/ByteSizeText.h"
#include "text/CommaList.h"
#include "text/Encoding.h"
#include "text/FindText.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

namespace yuzhou {
namespace {

TEST(FindText, FindsFirstOccurrenceAsOneBasedBytePosition) {
    struct Case {
        std::string_view text;
        std::string_view sub;
        std::int32_t start;
        bool ignoreCase;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"abcabc", "bc", 0, false, 2},
        {"abcabc", "bc", 1, false, 2},
        {"abcabc", "bc", 3, false, 5},
        {"abcabc", "bc", 6, false, -1},
        {"abc", "c", 4, false, -1}, // start past the end
        {"abc", "", 0, false, -1},
        {"", "a", 0, false, -1},
        {"abc", "abcd", 0, false, -1},
        {"ABC", "b", 0, false, -1},
        {"ABC", "b", 0, true, 2},
        {"abc", "BC", 0, true, 2},
        {"\xC3\x84", "\xC3\xA4", 0, true, -1}, // Ä and ä: only ASCII letters fold
        {"预览视频.mp4", "视频", 0, false, 7}, // bytes, not characters
        {"a.JPG", ".jpg", 0, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + std::string(c.sub));
        EXPECT_EQ(findText(c.text, c.sub, c.start, c.ignoreCase), c.expected);
    }
}

TEST(CommaList, KeywordAndExtensionListsSplitAlike) {
    using List = std::vector<std::string>;
    struct Case {
        std::string_view text;
        List keywords;
        List extensions;
    };
    const Case cases[] = {
        {"", {}, {""}}, // the one difference: an empty extension list is one empty entry
        {"jpg", {"jpg"}, {"jpg"}},
        {"jpg,png", {"jpg", "png"}, {"jpg", "png"}},
        {",jpg", {"", "jpg"}, {"", "jpg"}},
        {"jpg,,png", {"jpg", "", "png"}, {"jpg", "", "png"}},
        {"jpg,", {"jpg"}, {"jpg"}},
        {",", {""}, {""}},
        {",,", {"", ""}, {"", ""}},
        {"预览视频,样片", {"预览视频", "样片"}, {"预览视频", "样片"}},
        {" a , b", {" a ", " b"}, {" a ", " b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + std::string(c.text) + "\"");
        EXPECT_EQ(splitKeywordList(c.text), c.keywords);
        EXPECT_EQ(splitExtensionList(c.text), c.extensions);
    }
}

TEST(ByteSizeText, CutsToThreeSignificantDigits) {
    struct Case {
        std::int64_t bytes;
        std::string_view text;
    };
    const Case cases[] = {
        {0, "0"},
        {-1, "0"},
        {1, "1 B"},
        {532, "532 B"},
        {1023, "1023 B"},
        {1024, "1.00 KB"},
        {1535, "1.49 KB"}, // 1.499..: cut, not rounded
        {1536, "1.50 KB"},
        {10239, "9.99 KB"},
        {10240, "10.0 KB"},
        {102400, "100 KB"},
        {1048575, "1023 KB"},
        {1048576, "1.00 MB"},
        {10485760, "10.0 MB"},
        {5368709120, "5.00 GB"},
        {1099511627777, "1.00 TB"},
        {1125899906842624, "1.00 PB"},
        {std::numeric_limits<std::int64_t>::max(), "7.99 EB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(byteSizeText(c.bytes), c.text);
    }
}

TEST(Encoding, ConvertsBetweenUtf8AndGbk) {
    EXPECT_EQ(utf8ToGbk("中"), std::optional<std::string>("\xD6\xD0"));
    EXPECT_EQ(utf8ToGbk("a中b"), std::optional<std::string>("a\xD6\xD0"
                                                            "b"));
    EXPECT_EQ(gbkToUtf8("\xD6\xD0\xCE\xC4"), std::optional<std::string>("中文"));
    EXPECT_EQ(utf8ToGbk(""), std::optional<std::string>(""));
    // Never a partial text: a character GBK lacks, invalid input, a cut character.
    EXPECT_EQ(utf8ToGbk("a😀"), std::nullopt);
    EXPECT_EQ(utf8ToGbk("a\xFF"), std::nullopt);
    EXPECT_EQ(gbkToUtf8("a\xD6"), std::nullopt);
}

TEST(Encoding, RecognisesStrictUtf8) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("abc 中文 😀"));
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));         // overlong NUL
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE4\xB8"));         // cut character
    EXPECT_FALSE(isValidUtf8("\xD6\xD0"));         // GBK bytes
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(Encoding, GbkOrderKeyFollowsGbkByteOrder) {
    const std::vector<std::string> texts = {"",     "a",    "B",    "ab",   "z中", "中", "中国",
                                            "中文", "国",   "啊",   "阿",   "１",  "Ａ", "~",
                                            "A1",   "文档", "样片", "预览", "。",  "（", "ｚ"};
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            const std::string gbkA = *utf8ToGbk(a);
            const std::string gbkB = *utf8ToGbk(b);
            // std::string compares as unsigned char: the byte order of the GBK texts.
            const int expected = sign(gbkA.compare(gbkB));
            SCOPED_TRACE(a + " vs " + b);
            EXPECT_EQ(sign(gbkOrderKey(a).compare(gbkOrderKey(b))), expected);
            EXPECT_EQ(sign(compareGbkOrder(a, b)), expected);
        }
    }
}

TEST(Encoding, GbkOrderKeyOfCharactersGbkLacks) {
    // 啊 and 阿 are the first two hanzi of GB2312, at B0A1 and B0A2.
    EXPECT_EQ(gbkOrderKey("啊阿"), (std::u32string{0xB0A1, 0xB0A2}));
    EXPECT_EQ(gbkOrderKey("a"), std::u32string{U'a'});
    EXPECT_EQ(gbkOrderKey("😀"), std::u32string{0x10000 + 0x1F600});
    EXPECT_LT(compareGbkOrder("齄", "😀"), 0);
    // Bytes that are not UTF-8 still get a key of their own and compare consistently.
    EXPECT_EQ(gbkOrderKey("\xFF").size(), 1u);
    EXPECT_NE(compareGbkOrder("\xFE", "\xFF"), 0);
}

TEST(NumberText, ReadsTheLeadingDecimalNumber) {
    struct Case {
        std::string_view text;
        double value;
    };
    const Case cases[] = {
        {"1.9", 1.9},    {"  7", 7},    {"-5", -5},  {"+3", 3},  {".5", 0.5}, {"12abc", 12},
        {"1.5 MB", 1.5}, {"1e3", 1000}, {"1e", 1},   {"1e+", 1}, {"abc", 0},  {"", 0},
        {".", 0},        {"-", 0},      {"0x10", 0}, {"inf", 0}, {"nan", 0},  {"\t\n 2", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value);
    }
}

TEST(FilterSettings, SizeValueIsCutTowardZero) {
    struct Case {
        std::string_view text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"1.9", 1},
        {"-1.9", -1},
        {"-5", -5},
        {"abc", 0},
        {"", 0},
        {"填写整数", 0},
        {" 42", 42},
        {"99999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(parseSizeValue(c.text), c.value);
    }
}

} // namespace
} // namespace yuzhou
