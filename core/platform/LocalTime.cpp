#include "platform/LocalTime.h"

#include <cstdio>
#include <ctime>

namespace yuzhou {

std::string localTimeText(std::int64_t secondsSinceEpoch) {
    const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        return {};
    }
    char text[64];
    const int length =
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string{};
}

} // namespace yuzhou
