#pragma once

#include <string>
#include <vector>

namespace yuzhou {

/// What `yuzhou-cli fetch` was asked to do.
struct FetchOptions {
    std::string address;
    /// The form-encoded body of the POST; empty sends none.
    std::string body;
};

/// Reads the arguments that follow "fetch"; throws UsageError with a one-line reason.
FetchOptions parseFetchOptions(const std::vector<std::string>& arguments);

/// Posts as the online help does and writes the reply's text to standard output exactly
/// (nothing when the request fails). Gives the exit status.
int runFetchCommand(const FetchOptions& options);

} // namespace yuzhou
