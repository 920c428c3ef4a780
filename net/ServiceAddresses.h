#pragma once

#include <string>

namespace yuzhou {

/// The addresses of the online help's two interfaces. Empty means "not configured": the
/// program then behaves as if the service could not be reached.
struct ServiceAddresses {
    /// Answers "ver=<version>" with "1" (latest), "0" (outdated).
    std::string version;
    /// Answers any request with a text of labelled addresses (downloads, tutorials).
    std::string information;
};

/// The addresses this build was configured with (CMake's YUZHOU_VERSION_URL and
/// YUZHOU_INFO_URL); empty in a build without them.
ServiceAddresses configuredServiceAddresses();

} // namespace yuzhou
