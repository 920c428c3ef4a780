#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace yuzhou {

/// The 16 bytes of an MD5 digest, in the order MD5 writes them.
using Md5Digest = std::array<std::uint8_t, 16>;

/// The digest as the result list shows it: 32 lowercase hexadecimal digits, two per byte.
std::string md5Text(const Md5Digest& digest);

} // namespace yuzhou
