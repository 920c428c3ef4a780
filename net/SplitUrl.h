#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

/// Where a web address points: the parts a request is built from.
struct UrlParts {
    /// Lower case, without the port.
    std::string host;
    int port = 80;
    /// From the first "/" after the host to the end, query included, in the case given.
    std::string path = "/";
    /// The address begins with "https://" (in any case).
    bool secure = false;

    bool operator==(const UrlParts&) const = default;
};

/// Takes an address apart as the online help has always done. An address without a
/// scheme counts as "http://"; a port follows the last ":" of the host; without one the
/// port is 443 for an address beginning with "https" and 80 otherwise. The path is looked
/// up by finding the host's text again in the address, from its start.
UrlParts splitUrl(std::string_view address);

} // namespace yuzhou
