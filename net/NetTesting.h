#pragma once

#include <chrono>
#include <string>

/// Hooks for the tests of the online help. The program itself never calls them: it reads
/// no environment variable and no command line for its network settings.
namespace yuzhou::NetTesting {

/// From now on, secure addresses are checked against the certificate authority in the PEM
/// file `path` (the test's own) instead of the system's.
void trustCertificateFile(const std::string& path);

/// From now on, connecting gives up after `connect` and a whole request after `total`.
void setTimeLimits(std::chrono::milliseconds connect, std::chrono::milliseconds total);

} // namespace yuzhou::NetTesting
