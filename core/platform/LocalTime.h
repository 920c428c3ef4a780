#pragma once

#include <cstdint>
#include <string>

namespace yuzhou {

/// A time as the result list writes it: local time, "yyyy-MM-dd HH:mm:ss".
std::string localTimeText(std::int64_t secondsSinceEpoch);

} // namespace yuzhou
