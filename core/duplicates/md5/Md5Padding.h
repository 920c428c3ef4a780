#pragma once

#include <cstddef>
#include <cstdint>

namespace yuzhou {

/// Completes the last block(s) of a message of `messageSize` bytes in place. `blocks` holds
/// the message's last messageSize % 64 bytes at its start and has room for 128 bytes; after
/// them come the 0x80 byte, zeros, and the message's length in bits modulo 2^64 as eight
/// little-endian bytes, ending a block. Returns how many 64-byte blocks are left to hash: 1,
/// or 2 when fewer than 9 bytes were free in the last block.
std::size_t md5Pad(std::uint8_t* blocks, std::uint64_t messageSize);

} // namespace yuzhou
