#include "SplitUrl.h"

#include <gtest/gtest.h>

namespace yuzhou {
namespace {

struct SplitCase {
    const char* address;
    UrlParts expected;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << '"' << c.address << '"';
}

class SplitUrlTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitUrlTest, TakesTheAddressApart) {
    const UrlParts parts = splitUrl(GetParam().address);
    const UrlParts& expected = GetParam().expected;
    EXPECT_EQ(parts.host, expected.host);
    EXPECT_EQ(parts.port, expected.port);
    EXPECT_EQ(parts.path, expected.path);
    EXPECT_EQ(parts.secure, expected.secure);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SplitUrlTest,
    ::testing::Values(SplitCase{"http://example.com/a/b", {"example.com", 80, "/a/b", false}},
                      SplitCase{"https://example.com/a", {"example.com", 443, "/a", true}},
                      // Capitals: still secure, host in lower case, path and query in the case given.
                      SplitCase{"HTTPS://Example.COM/Version/Check?Ver=A",
                                {"example.com", 443, "/Version/Check?Ver=A", true}},
                      SplitCase{"Http://Example.com:8080/A", {"example.com", 8080, "/A", false}},
                      SplitCase{"https://example.com:8443", {"example.com", 8443, "/", true}},
                      SplitCase{"http://example.com", {"example.com", 80, "/", false}},
                      // Without a scheme the address is plain HTTP.
                      SplitCase{"example.com", {"example.com", 80, "/", false}},
                      SplitCase{"example.com/path?q=1", {"example.com", 80, "/path?q=1", false}},
                      SplitCase{"www.example.com:81/a", {"www.example.com", 81, "/a", false}},
                      // The default port looks at "https" alone, the secure flag at "https://".
                      SplitCase{"https.example.com/x", {"https.example.com", 443, "/x", false}},
                      // The port is the number the text after the last ":" starts with.
                      SplitCase{"http://a.b:12x/", {"a.b", 12, "/", false}},
                      SplitCase{"http://[::1]:8080/p", {"[::1]", 8080, "/p", false}},
                      // An address holding "http://" further on is taken from there.
                      SplitCase{"see http://example.com/a", {"example.com", 80, "/a", false}},
                      // The path starts at the first "/" after the host's first appearance, which may lie
                      // inside the scheme when the host's name is short enough to appear there.
                      SplitCase{"http://h/p", {"h", 80, "//h/p", false}},
                      // Another scheme is not known: its name becomes the host, with an empty port.
                      SplitCase{"ftp://files.example.com/x", {"ftp", 0, "//files.example.com/x", false}},
                      SplitCase{"https://", {"", 443, "//", true}}, SplitCase{"", {"", 80, "/", false}}));

} // namespace
} // namespace yuzhou
