#include "PostForText.h"

#include "NetTesting.h"
#include "SplitUrl.h"
#include "TestServer.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace yuzhou {
namespace {

using test::TestServer;
using namespace std::chrono_literals;

constexpr const char* kUserAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

class PostForTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Short enough that a request nobody answers ends quickly, long enough for any
        // machine to reach a server on the same host.
        NetTesting::setTimeLimits(5000ms, 3000ms);
        NetTesting::trustCertificateFile(secure.certificateFile());
    }

    std::string hostHeader(const TestServer& server) const {
        return "Host: 127.0.0.1:" + std::to_string(server.port());
    }

    TestServer plain{TestServer::Kind::Plain};
    TestServer secure{TestServer::Kind::Secure};
};

TEST_F(PostForTextTest, SendsTheRequestLineHeadersAndBodyTheServiceExpects) {
    plain.reply("/ver.asp?id=7", "1");
    const std::string address = plain.address("/ver.asp?id=7");

    EXPECT_EQ(postForText(address, "ver=1.0"), "1");

    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /ver.asp?id=7 HTTP/1.1");
    const std::vector<std::string> expected = {
        hostHeader(plain),
        kUserAgent,
        "Accept: */*",
        "Referer: " + address,
        "Accept-Language: zh-cn",
        "Content-Type: application/x-www-form-urlencoded",
        "Content-Length: 7",
    };
    EXPECT_EQ(requests[0].headers, expected);
    EXPECT_EQ(requests[0].body, "ver=1.0");
}

TEST_F(PostForTextTest, SendsTheBodysBytesAsTheyAre) {
    plain.reply("/", "ok");
    const std::string body = "a=中文&b=%41 +\x01\xff";
    EXPECT_EQ(postForText(plain.address("/"), body), "ok");
    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, body);
}

TEST_F(PostForTextTest, AnEmptyBodySendsNoBytes) {
    plain.reply("/info", "text");
    EXPECT_EQ(postForText(plain.address("/info"), ""), "text");
    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /info HTTP/1.1");
    EXPECT_EQ(requests[0].headers.back(), "Content-Length: 0");
    EXPECT_EQ(requests[0].body, "");
}

TEST_F(PostForTextTest, SecureAddressesSpeakTlsToATrustedServer) {
    secure.reply("/ver", "0");
    EXPECT_EQ(postForText(secure.address("/ver"), "ver=1.0"), "0");
    const auto requests = secure.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /ver HTTP/1.1");
    EXPECT_EQ(requests[0].body, "ver=1.0");
}

TEST_F(PostForTextTest, AnAddressInCapitalsIsStillSecureAndKeepsThePathsCase) {
    secure.reply("/Version/Check?Ver=A", "1");
    const std::string address = "HTTPS://127.0.0.1:" + std::to_string(secure.port()) + "/Version/Check?Ver=A";

    EXPECT_EQ(postForText(address, "ver=1.0"), "1");

    const auto requests = secure.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /Version/Check?Ver=A HTTP/1.1");
    EXPECT_EQ(requests[0].headers.at(3), "Referer: " + address);
    // Without a port such an address goes to 443.
    EXPECT_EQ(splitUrl("HTTPS://EXAMPLE.COM/Version").port, 443);
    EXPECT_TRUE(splitUrl("HTTPS://EXAMPLE.COM/Version").secure);
}

TEST_F(PostForTextTest, AnUntrustedCertificateGivesNoText) {
    TestServer stranger(TestServer::Kind::Secure);
    stranger.reply("/ver", "1");
    EXPECT_EQ(postForText(stranger.address("/ver"), "ver=1.0"), "");
    EXPECT_TRUE(stranger.requests().empty());
}

TEST_F(PostForTextTest, AnExplicitPortIsUsedAndTheHostSentWithIt) {
    plain.reply("/p", "here");
    const std::string address = "HTTP://127.0.0.1:" + std::to_string(plain.port()) + "/p";
    EXPECT_EQ(postForText(address, "x"), "here");
    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].headers.at(0), hostHeader(plain));
}

TEST_F(PostForTextTest, AnAddressWithoutAPathAsksForTheRoot) {
    plain.reply("/", "root");
    EXPECT_EQ(postForText(plain.origin(), "x"), "root");
    // Without a scheme the address is plain HTTP.
    EXPECT_EQ(postForText("127.0.0.1:" + std::to_string(plain.port()), "x"), "root");
    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].requestLine, "POST / HTTP/1.1");
    EXPECT_EQ(requests[1].requestLine, "POST / HTTP/1.1");
}

struct ReplyCase {
    const char* what;
    std::string reply;
    int status;
    std::string expected;
};

void PrintTo(const ReplyCase& c, std::ostream* out) {
    *out << c.what;
}

class ReplyTextTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyTextTest, GivesTheReplyWhenGb2312CanHoldIt) {
    TestServer server;
    server.reply("/r", GetParam().reply, GetParam().status);
    EXPECT_EQ(postForText(server.address("/r"), "ver=1.0"), GetParam().expected);
    EXPECT_EQ(server.requests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyTextTest,
    ::testing::Values(ReplyCase{"a line end stays", "1\n", 200, "1\n"},
                      ReplyCase{"Chinese stays UTF-8", "最新版下载地址：http://d/a.zip 说明", 200,
                                "最新版下载地址：http://d/a.zip 说明"},
                      ReplyCase{"an emoji GB2312 lacks", "1😀", 200, ""},
                      ReplyCase{"the euro sign GB2312 lacks", "€", 200, ""},
                      ReplyCase{"bytes that are not UTF-8", "1\xff", 200, ""},
                      ReplyCase{"a character cut short", std::string("中").substr(0, 2), 200, ""},
                      ReplyCase{"an error page's body", "<html>服务器错误</html>", 500,
                                "<html>服务器错误</html>"},
                      ReplyCase{"an empty reply", "", 200, ""}));

TEST_F(PostForTextTest, FollowsARedirectToAnotherPath) {
    plain.reply("/old", "moved", 302, {"Location: /new"});
    plain.reply("/new", "arrived");
    EXPECT_EQ(postForText(plain.address("/old"), "ver=1.0"), "arrived");
    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].requestLine, "POST /old HTTP/1.1");
    EXPECT_NE(requests[1].requestLine.find(" /new HTTP/1.1"), std::string::npos);
}

TEST_F(PostForTextTest, KeepsCookiesAcrossTheRedirectsOfOneRequest) {
    plain.reply("/login", "", 302, {"Location: /home", "Set-Cookie: session=abc; Path=/"});
    plain.reply("/home", "welcome");
    EXPECT_EQ(postForText(plain.address("/login"), ""), "welcome");
    const auto requests = plain.requests();
    ASSERT_EQ(requests.size(), 2u);
    const auto& headers = requests[1].headers;
    EXPECT_NE(std::find(headers.begin(), headers.end(), "Cookie: session=abc"), headers.end());

    // A new request starts without them: nothing is kept between requests.
    EXPECT_EQ(postForText(plain.address("/home"), ""), "welcome");
    const auto again = plain.requests();
    ASSERT_EQ(again.size(), 3u);
    for (const std::string& header : again[2].headers) {
        EXPECT_EQ(header.find("Cookie"), std::string::npos) << header;
    }
}

TEST_F(PostForTextTest, AServerThatNeverAnswersGivesNoTextOnceTheTimeIsUp) {
    NetTesting::setTimeLimits(5000ms, 500ms);
    plain.hang("/slow");
    EXPECT_EQ(postForText(plain.address("/slow"), "ver=1.0"), "");
    // The request did arrive: it was the answer that never came.
    EXPECT_EQ(plain.waitForRequests(1).size(), 1u);
}

TEST_F(PostForTextTest, NobodyListeningGivesNoText) {
    EXPECT_EQ(postForText("http://127.0.0.1:" + std::to_string(test::closedPort()) + "/", "ver=1.0"), "");
}

} // namespace
} // namespace yuzhou
