#pragma once

#include <cstdint>
#include <string>

namespace yuzhou {

/// The size text of the result list: "0" for an empty file, "N B" below 1024 bytes, and
/// otherwise three significant digits, the rest cut off (not rounded), in KB, MB, GB, TB,
/// PB or EB, steps of 1024: 1536 bytes give "1.50 KB", 10 MiB "10.0 MB". From 1000 to
/// 1023 of a unit the whole number is shown ("1023 KB"), so the text keeps sorting by its
/// leading number. A negative size counts as 0.
std::string byteSizeText(std::int64_t bytes);

} // namespace yuzhou
