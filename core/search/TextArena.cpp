#include "search/TextArena.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace yuzhou {

namespace {

constexpr std::size_t kBlockSize = 8u << 20;

char* mapBlock(std::size_t size) {
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        throw std::bad_alloc();
    }
    // Only advice: where the system keeps no huge pages, nothing changes.
    madvise(block, size, MADV_HUGEPAGE);
    return static_cast<char*>(block);
}

} // namespace

TextArena::~TextArena() {
    clear();
}

TextArena::TextArena(TextArena&& other) noexcept
    : m_blocks(std::exchange(other.m_blocks, {})), m_free(std::exchange(other.m_free, 0)),
      m_used(std::exchange(other.m_used, 0)) {}

TextArena& TextArena::operator=(TextArena&& other) noexcept {
    if (this != &other) {
        clear();
        m_blocks = std::exchange(other.m_blocks, {});
        m_free = std::exchange(other.m_free, 0);
        m_used = std::exchange(other.m_used, 0);
    }
    return *this;
}

char* TextArena::allocate(std::size_t size, std::size_t alignment) {
    // Blocks start page-aligned, so the padding of one block is all an alignment needs.
    std::size_t padding = m_blocks.empty() ? 0 : (m_blocks.back().size - m_free) % alignment;
    padding = padding == 0 ? 0 : alignment - padding;
    if (m_blocks.empty() || size + padding > m_free) {
        const std::size_t blockSize = size > kBlockSize ? size : kBlockSize;
        m_blocks.push_back({mapBlock(blockSize), blockSize});
        m_free = blockSize;
        padding = 0;
    }
    const Block& last = m_blocks.back();
    char* room = last.data + (last.size - m_free) + padding;
    m_free -= size + padding;
    m_used += size + padding;
    return room;
}

void TextArena::clear() {
    for (const Block& block : m_blocks) {
        munmap(block.data, block.size);
    }
    m_blocks.clear();
    m_free = 0;
    m_used = 0;
}

} // namespace yuzhou
