#include "ProgramRun.h"
#include "TestServer.h"

#include <gtest/gtest.h>

namespace yuzhou {
namespace {

using FetchRun = test::ProgramRun;

/// Runs the real `yuzhou-cli fetch` with the arguments.
FetchRun runFetch(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {YUZHOU_CLI_PATH, "fetch"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::runProgram(command);
}

TEST(FetchCommandTest, PrintsTheReplyExactlyAndPostsTheData) {
    test::TestServer server;
    server.reply("/ver", "0\n最新版下载地址：http://d/a.zip ");
    const FetchRun run = runFetch({server.address("/ver"), "--data", "ver=1.0"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0\n最新版下载地址：http://d/a.zip ");
    EXPECT_EQ(run.err, "");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /ver HTTP/1.1");
    EXPECT_EQ(requests[0].body, "ver=1.0");
}

TEST(FetchCommandTest, WithoutDataPostsAnEmptyBody) {
    test::TestServer server;
    server.reply("/info", "说明");
    const FetchRun run = runFetch({server.address("/info")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "说明");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, "");
    EXPECT_EQ(requests[0].headers.back(), "Content-Length: 0");
}

TEST(FetchCommandTest, AFailureOrAnUnfitReplyPrintsNothing) {
    test::TestServer server;
    server.reply("/euro", "€");
    for (const std::string& address :
         {server.address("/euro"), "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/"}) {
        const FetchRun run = runFetch({address});
        EXPECT_EQ(run.status, 0) << address;
        EXPECT_EQ(run.out, "") << address;
        EXPECT_EQ(run.err, "") << address;
    }
}

struct UsageCase {
    std::vector<std::string> arguments;
    const char* reason;
};

void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.reason;
}

class FetchUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(FetchUsageTest, RefusesWithAOneLineReason) {
    const FetchRun run = runFetch(GetParam().arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("yuzhou-cli: ") + GetParam().reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, FetchUsageTest,
    ::testing::Values(UsageCase{{}, "fetch needs an address"},
                      UsageCase{{"http://127.0.0.1:1/", "--data"}, "--data needs a value"},
                      UsageCase{{"http://127.0.0.1:1/", "--post"}, "fetch: unknown option --post"},
                      UsageCase{{"http://127.0.0.1:1/", "http://127.0.0.1:2/"},
                                "fetch takes one address, not also \"http://127.0.0.1:2/\""}));

} // namespace
} // namespace yuzhou
