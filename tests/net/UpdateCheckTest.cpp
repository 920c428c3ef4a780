#include "UpdateCheck.h"

#include "NetTesting.h"
#include "RecordingToolkit.h"
#include "TestServer.h"

#include <gtest/gtest.h>

namespace yuzhou::test {

// Found by argument-dependent lookup, so they live with the recorder's Message.
bool operator==(const RecordingToolkit::Message& a, const RecordingToolkit::Message& b) {
    return a.text == b.text && a.icon == b.icon && a.buttons == b.buttons && a.title == b.title;
}

void PrintTo(const RecordingToolkit::Message& m, std::ostream* out) {
    *out << m.text << " icon " << static_cast<int>(m.icon) << " buttons " << static_cast<int>(m.buttons)
         << " " << m.title;
}

} // namespace yuzhou::test

namespace yuzhou {
namespace {

using test::RecordingToolkit;
using test::TestServer;
using namespace std::chrono_literals;

using Message = RecordingToolkit::Message;

const Message kLatest{"您使用的是最新版本！", MessageIcon::Information, MessageButtons::Ok, "信息："};
const Message kNetworkError{"网络连接出错！", MessageIcon::None, MessageButtons::Ok, "信息："};
const Message kNewVersion{"有新版本，请更新软件！", MessageIcon::Information, MessageButtons::OkCancel,
                          "信息："};

// The information text: labelled addresses, each ended by a blank.
constexpr const char* kInformation = "软件说明 最新版下载地址：http://downloads.example/yuzhou-2.0.zip "
                                     "在线视频教程地址：http://video.example/online "
                                     "视频下载地址：http://video.example/tutorial.mp4 结束";

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        NetTesting::setTimeLimits(5000ms, 5000ms);
        server.reply("/info", kInformation);
    }

    ServiceAddresses addresses() const { return {server.address("/ver"), server.address("/info")}; }

    TestServer server;
    RecordingToolkit toolkit;
};

struct AnswerCase {
    const char* what;
    const char* answer;
    bool mainWindowExists;
    std::vector<Message> expected;
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
    *out << c.what;
}

class UpdateAnswerTest : public UpdateCheckTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(UpdateAnswerTest, ShowsWhatTheAnswerCallsFor) {
    server.reply("/ver", GetParam().answer);
    checkForUpdate(toolkit, addresses(), GetParam().mainWindowExists);
    EXPECT_EQ(toolkit.messages(), GetParam().expected);
    EXPECT_TRUE(toolkit.openedAddresses.empty());
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /ver HTTP/1.1");
    EXPECT_EQ(requests[0].body, "ver=1.0");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UpdateAnswerTest,
    ::testing::Values(AnswerCase{"latest, asked from the window", "1", true, {kLatest}},
                      AnswerCase{"latest, at start-up", "1", false, {}},
                      AnswerCase{"no answer, asked from the window", "", true, {kNetworkError}},
                      AnswerCase{"no answer, at start-up", "", false, {kNetworkError}},
                      AnswerCase{"a blank before the 1", " 1", true, {}},
                      AnswerCase{"a line end after the 1", "1\n", true, {}},
                      AnswerCase{"some other page", "<html>维护中</html>", true, {}},
                      AnswerCase{
                          "a text GB2312 cannot hold counts as no answer", "1€", true, {kNetworkError}}));

TEST_F(UpdateCheckTest, ANewVersionDeclinedAsksNothingMore) {
    server.reply("/ver", "0");
    toolkit.queueAnswer(MessageAnswer::Cancel);
    checkForUpdate(toolkit, addresses(), true);
    EXPECT_EQ(toolkit.messages(), std::vector<Message>{kNewVersion});
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(toolkit.openedAddresses.empty());
}

TEST_F(UpdateCheckTest, ANewVersionAcceptedOpensItsDownloadAddress) {
    server.reply("/ver", "0");
    toolkit.queueAnswer(MessageAnswer::Ok);
    checkForUpdate(toolkit, addresses(), false);
    EXPECT_EQ(toolkit.messages(), std::vector<Message>{kNewVersion});
    EXPECT_EQ(toolkit.openedAddresses, std::vector<std::string>{"http://downloads.example/yuzhou-2.0.zip"});
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].requestLine, "POST /info HTTP/1.1");
    EXPECT_EQ(requests[1].body, "");
}

TEST_F(UpdateCheckTest, AnAddressThatRunsToTheEndOfTheTextOpensNothing) {
    server.reply("/ver", "0");
    server.reply("/info", "说明 最新版下载地址：http://downloads.example/yuzhou-2.0.zip");
    toolkit.queueAnswer(MessageAnswer::Ok);
    checkForUpdate(toolkit, addresses(), true);
    EXPECT_EQ(toolkit.messages(), std::vector<Message>{kNewVersion});
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_TRUE(toolkit.openedAddresses.empty());
}

TEST_F(UpdateCheckTest, AnUnreachableServiceIsANetworkError) {
    const std::string nowhere = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/ver";
    checkForUpdateAtStartUp(toolkit, {nowhere, nowhere});
    EXPECT_EQ(toolkit.messages(), std::vector<Message>{kNetworkError});
}

TEST_F(UpdateCheckTest, TheStartUpCheckAsksTheVersionInterface) {
    server.reply("/ver", "1");
    checkForUpdateAtStartUp(toolkit, addresses());
    EXPECT_TRUE(toolkit.messages().empty());
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(UpdateCheckTest, ABuildWithoutAddressesSkipsTheStartUpCheckAndFindsNoServiceLater) {
    const ServiceAddresses none;
    checkForUpdateAtStartUp(toolkit, none);
    EXPECT_TRUE(toolkit.messages().empty());

    checkForUpdate(toolkit, none, true);
    EXPECT_EQ(toolkit.messages(), std::vector<Message>{kNetworkError});

    openInformationLink(toolkit, none.information, "在线视频教程地址：");
    EXPECT_TRUE(toolkit.openedAddresses.empty());
    EXPECT_EQ(toolkit.messages().size(), 1u);
}

struct LinkCase {
    const char* label;
    const char* expected;
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.label;
}

class InformationLinkTest : public UpdateCheckTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(InformationLinkTest, OpensTheAddressAfterItsLabel) {
    openInformationLink(toolkit, server.address("/info"), GetParam().label);
    EXPECT_EQ(toolkit.openedAddresses, std::vector<std::string>{GetParam().expected});
    EXPECT_TRUE(toolkit.messages().empty());
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, "");
}

INSTANTIATE_TEST_SUITE_P(Labels, InformationLinkTest,
                         ::testing::Values(LinkCase{"最新版下载地址：",
                                                    "http://downloads.example/yuzhou-2.0.zip"},
                                           LinkCase{"在线视频教程地址：", "http://video.example/online"},
                                           LinkCase{"视频下载地址：", "http://video.example/tutorial.mp4"}));

TEST_F(UpdateCheckTest, AMissingLabelOpensNothingAndSaysNothing) {
    server.reply("/info", "维护中");
    openInformationLink(toolkit, server.address("/info"), "视频下载地址：");
    EXPECT_TRUE(toolkit.openedAddresses.empty());
    EXPECT_TRUE(toolkit.messages().empty());
}

} // namespace
} // namespace yuzhou
