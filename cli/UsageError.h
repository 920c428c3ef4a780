#pragma once

#include <stdexcept>
#include <string>

namespace yuzhou {

/// A command line the program cannot run: reported on one line, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

} // namespace yuzhou
