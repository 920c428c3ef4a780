#pragma once

#include <cstdint>
#include <string>

namespace yuzhou {

/// Length of a time text, "yyyy-MM-dd HH:mm:ss".
inline constexpr std::size_t kTimeTextLength = 19;

/// Writes a time as the result list shows it, local time "yyyy-MM-dd HH:mm:ss", into
/// `out` (room for kTimeTextLength bytes); gives the length written, 0 for a time the
/// system cannot convert.
std::size_t writeLocalTimeText(std::int64_t secondsSinceEpoch, char* out);

std::string localTimeText(std::int64_t secondsSinceEpoch);

} // namespace yuzhou
