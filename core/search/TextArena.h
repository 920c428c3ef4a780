#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace yuzhou {

/// Keeps many short texts in a few large blocks, handed out one after another and freed
/// only all together. A million result rows cost a few dozen allocations instead of
/// millions, and the blocks are offered to the system as huge pages, so filling them
/// costs few page faults.
class TextArena {
public:
    TextArena() = default;
    ~TextArena();
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    TextArena(TextArena&& other) noexcept;
    TextArena& operator=(TextArena&& other) noexcept;

    /// Room for `size` bytes aligned to `alignment` (a power of two), valid until `clear`
    /// or the arena's end.
    char* allocate(std::size_t size, std::size_t alignment = 1);
    /// Frees every block.
    void clear();
    /// Bytes handed out since the last clear.
    std::size_t bytesUsed() const { return m_used; }

private:
    struct Block {
        char* data;
        std::size_t size;
    };

    std::vector<Block> m_blocks;
    std::size_t m_free = 0; // bytes left at the end of the last block
    std::size_t m_used = 0;
};

} // namespace yuzhou
