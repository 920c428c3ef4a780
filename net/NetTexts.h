#pragma once

#include <string_view>

namespace yuzhou::texts {

/// The version the update check reports to the service.
inline constexpr std::string_view kProgramVersion = "1.0";

// The service's answers to the version question.
inline constexpr std::string_view kAnswerLatest = "1";
inline constexpr std::string_view kAnswerOutdated = "0";

// The update check's messages.
inline constexpr std::string_view kLatestVersion = "您使用的是最新版本！";
inline constexpr std::string_view kNetworkError = "网络连接出错！";
inline constexpr std::string_view kNewVersion = "有新版本，请更新软件！";

// The labels of the information text: each address follows its label up to a blank.
inline constexpr std::string_view kDownloadLabel = "最新版下载地址：";
inline constexpr std::string_view kOnlineVideoLabel = "在线视频教程地址：";
inline constexpr std::string_view kVideoDownloadLabel = "视频下载地址：";
inline constexpr std::string_view kAddressEnd = " ";

} // namespace yuzhou::texts
