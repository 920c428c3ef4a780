#include "SplitUrl.h"

#include <algorithm>
#include <cstdint>

namespace yuzhou {

namespace {

constexpr std::string_view kHttps = "https://";
constexpr std::string_view kHttp = "http://";

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    return lower;
}

/// The leading decimal digits as a number, 0 when there are none. A number too large for
/// any port stops growing rather than overflowing.
int leadingNumber(std::string_view text) {
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<std::int64_t>(value * 10 + (c - '0'), INT32_MAX);
    }
    return static_cast<int>(value);
}

std::size_t findIgnoringCase(std::string_view text, std::string_view wanted) {
    const auto found = std::search(text.begin(), text.end(), wanted.begin(), wanted.end(),
                                   [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return found == text.end() && !wanted.empty() ? std::string_view::npos
                                                  : static_cast<std::size_t>(found - text.begin());
}

} // namespace

UrlParts splitUrl(std::string_view address) {
    UrlParts parts;
    const std::string lower = lowerCase(address);
    parts.secure = lower.starts_with(kHttps);

    std::string work = lower;
    if (!work.ends_with('/')) {
        work += '/';
    }
    if (!work.starts_with(kHttps) && work.find(kHttp) == std::string::npos) {
        work.insert(0, kHttp);
    }
    const std::string_view prefix = work.starts_with(kHttps) ? kHttps : kHttp;
    const std::size_t hostStart = work.find(prefix) + prefix.size();
    // The work text ends in "/", so there always is one after the host.
    std::string host = work.substr(hostStart, work.find('/', hostStart) - hostStart);

    if (const std::size_t colon = host.rfind(':'); colon != std::string::npos) {
        parts.port = leadingNumber(std::string_view(host).substr(colon + 1));
        host.erase(colon);
    } else {
        parts.port = lower.starts_with("https") ? 443 : 80;
    }

    const std::size_t hostAt = findIgnoringCase(address, host);
    const std::size_t slash = hostAt == std::string_view::npos ? hostAt : address.find('/', hostAt);
    parts.path = slash == std::string_view::npos ? std::string("/") : std::string(address.substr(slash));
    parts.host = std::move(host);
    return parts;
}

} // namespace yuzhou
