#include "FetchCommand.h"

#include "PostForText.h"
#include "UsageError.h"

#include <cstdio>

namespace yuzhou {

FetchOptions parseFetchOptions(const std::vector<std::string>& arguments) {
    FetchOptions options;
    bool haveAddress = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--data") {
            if (i + 1 >= arguments.size()) {
                throw UsageError("--data needs a value");
            }
            options.body = arguments[++i];
        } else if (argument.starts_with("--")) {
            throw UsageError("fetch: unknown option " + argument);
        } else if (haveAddress) {
            throw UsageError("fetch takes one address, not also \"" + argument + "\"");
        } else {
            options.address = argument;
            haveAddress = true;
        }
    }
    if (!haveAddress) {
        throw UsageError("fetch needs an address");
    }
    return options;
}

int runFetchCommand(const FetchOptions& options) {
    // The text as it came, without a line end of our own: scripts compare it byte for byte.
    const std::string text = postForText(options.address, options.body);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return kExitOk;
}

} // namespace yuzhou
