#include "list/SortByColumn.h"

#include "search/ResultList.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace yuzhou {

namespace {

struct Entry {
    std::uint64_t prefix;
    std::size_t index;
};

/// Eight bytes of a key from `depth` on, as one number that compares as the bytes do; a key
/// that ends sooner is padded with zero bytes (texts hold no NUL).
std::uint64_t chunkAt(std::string_view key, std::size_t depth) {
    std::uint64_t chunk = 0;
    for (std::size_t b = 0; b < 8; ++b) {
        const std::size_t at = depth + b;
        chunk = chunk << 8 | (at < key.size() ? static_cast<unsigned char>(key[at]) : 0u);
    }
    return chunk;
}

/// Sorts entries by their keys eight bytes at a time: by the chunk at `depth`, then each
/// run of equal chunks by the next one. Paths share long beginnings, which this compares
/// once per run instead of at every comparison.
void sortByChunks(std::vector<Entry>::iterator begin, std::vector<Entry>::iterator end,
                  const std::vector<std::string_view>& keys, std::size_t depth) {
    while (end - begin > 1) {
        for (auto it = begin; it != end; ++it) {
            it->prefix = chunkAt(keys[it->index], depth);
        }
        std::sort(begin, end, [](const Entry& a, const Entry& b) { return a.prefix < b.prefix; });
        // Every run but the last is sorted further here; the last one by the loop, so the
        // depth of the recursion is not the number of runs.
        auto run = begin;
        while (run != end) {
            auto runEnd = run;
            while (runEnd != end && runEnd->prefix == run->prefix) {
                ++runEnd;
            }
            // Keys that end within this chunk are equal; they go first, the longer ones after.
            auto longer = std::stable_partition(
                run, runEnd, [&](const Entry& e) { return keys[e.index].size() <= depth + 8; });
            if (runEnd == end) {
                begin = longer;
                break;
            }
            sortByChunks(longer, runEnd, keys, depth + 8);
            run = runEnd;
        }
        if (run == end) {
            return;
        }
        depth += 8;
    }
}

/// Ranks of the keys: equal keys share a rank, and ranks grow with the keys. For numbers
/// and times a key within the tolerance of the previous distinct one joins its rank.
std::vector<std::size_t> rankKeys(const std::vector<std::string_view>& texts, SortKind kind,
                                  bool caseSensitive) {
    const std::size_t n = texts.size();
    std::vector<std::size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), std::size_t{0});
    std::vector<std::size_t> ranks(n);
    if (kind == SortKind::Text) {
        // Keys whose bytes compare as the texts do in GBK order, so the sort compares
        // plain bytes instead of decoding characters at every comparison.
        // ASCII is its own key; only other texts need one built, kept in `encoded`.
        std::vector<std::string> encoded;
        std::vector<std::ptrdiff_t> encodedAt(n, -1);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string_view text = texts[i];
            const bool plain = caseSensitive && std::all_of(text.begin(), text.end(), [](char c) {
                                   return static_cast<unsigned char>(c) < 0x80;
                               });
            if (!plain) {
                encodedAt[i] = static_cast<std::ptrdiff_t>(encoded.size());
                encoded.push_back(gbkByteOrderKey(text, caseSensitive));
            }
        }
        std::vector<std::string_view> keys(n);
        std::vector<Entry> entries(n);
        for (std::size_t i = 0; i < n; ++i) {
            keys[i] = encodedAt[i] < 0 ? texts[i]
                                       : std::string_view(encoded[static_cast<std::size_t>(encodedAt[i])]);
            entries[i] = {0, i};
        }
        sortByChunks(entries.begin(), entries.end(), keys, 0);
        for (std::size_t i = 0; i < n; ++i) {
            const bool same = i > 0 && keys[entries[i - 1].index] == keys[entries[i].index];
            ranks[entries[i].index] = i == 0 ? 0 : ranks[entries[i - 1].index] + (same ? 0 : 1);
        }
        return ranks;
    }
    std::vector<double> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = kind == SortKind::Number ? numberKey(texts[i]) : timeKey(texts[i]);
    }
    std::sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (std::size_t i = 0; i < n; ++i) {
        const bool same = i > 0 && compareNumberKeys(keys[byKey[i - 1]], keys[byKey[i]]) == 0;
        ranks[byKey[i]] = i == 0 ? 0 : ranks[byKey[i - 1]] + (same ? 0 : 1);
    }
    return ranks;
}

/// A Fenwick tree of counts.
class CountTree {
public:
    explicit CountTree(std::size_t size) : m_tree(size + 1, 0) {}

    void add(std::size_t index, std::int32_t delta) {
        for (std::size_t i = index + 1; i < m_tree.size(); i += i & (~i + 1)) {
            m_tree[i] += delta;
        }
    }

    /// Sum of the counts at indexes below `end`.
    std::size_t prefix(std::size_t end) const {
        std::int64_t sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1)) {
            sum += m_tree[i];
        }
        return static_cast<std::size_t>(sum);
    }

    /// The smallest index whose prefix sum through it reaches k (k from 1).
    std::size_t findKth(std::int64_t k) const {
        std::size_t position = 0;
        std::size_t step = 1;
        while (step * 2 < m_tree.size()) {
            step *= 2;
        }
        for (; step > 0; step /= 2) {
            if (position + step < m_tree.size() && m_tree[position + step] < k) {
                position += step;
                k -= m_tree[position];
            }
        }
        return position; // 0-based index
    }

private:
    std::vector<std::int32_t> m_tree;
};

/// insertPosition worked out from counts alone: among c sorted keys, `less` are below x
/// and `equal` equal to it, so every comparison of the search is known from an index.
std::size_t insertPositionByCounts(std::size_t less, std::size_t equal, std::size_t c) {
    return insertPositionAmong(c, [&](std::size_t index) {
        if (index <= less) {
            return 1;
        }
        return index <= less + equal ? 0 : -1;
    });
}

/// The final order of one run of equal keys, from where each member was inserted among
/// the members before it: the last one keeps its place, each earlier one takes the free
/// place its index names once the later ones are placed.
void placeEqualKeys(const std::vector<std::size_t>& members, const std::vector<std::size_t>& offsets,
                    std::vector<std::size_t>& out) {
    const std::size_t size = members.size();
    if (size <= 256) {
        std::vector<std::size_t> run;
        run.reserve(size);
        for (std::size_t m = 0; m < size; ++m) {
            run.insert(run.begin() + static_cast<std::ptrdiff_t>(offsets[m]), members[m]);
        }
        out.insert(out.end(), run.begin(), run.end());
        return;
    }
    std::vector<std::size_t> run(size);
    CountTree free(size);
    for (std::size_t i = 0; i < size; ++i) {
        free.add(i, 1);
    }
    for (std::size_t m = size; m-- > 0;) {
        const std::size_t place = free.findKth(static_cast<std::int64_t>(offsets[m]) + 1);
        run[place] = members[m];
        free.add(place, -1);
    }
    out.insert(out.end(), run.begin(), run.end());
}

} // namespace

std::vector<std::size_t> sortOrder(const std::vector<std::string_view>& texts, SortKind kind, bool ascending,
                                   bool caseSensitive) {
    const std::size_t n = texts.size();
    const std::vector<std::size_t> ranks = rankKeys(texts, kind, caseSensitive);
    std::size_t rankCount = 0;
    for (std::size_t rank : ranks) {
        rankCount = std::max(rankCount, rank + 1);
    }

    // A key unequal to every key before it goes to its sorted place; only a key equal to
    // some earlier ones needs the counts, to find its place among them. So the order is the
    // runs of equal keys in key order, each run in the order its insertions give.
    std::vector<std::size_t> inRank(rankCount, 0);
    std::vector<std::size_t> offsets(n, 0);
    CountTree below(rankCount);
    for (std::size_t r = 0; r < n; ++r) {
        const std::size_t rank = ranks[r];
        const std::size_t equal = inRank[rank];
        if (equal > 0) {
            const std::size_t less = below.prefix(rank);
            offsets[r] = insertPositionByCounts(less, equal, r) - 1 - less;
        }
        below.add(rank, 1);
        ++inRank[rank];
    }

    // Members of each run in list order, the runs by rank.
    std::vector<std::size_t> runStart(rankCount + 1, 0);
    for (std::size_t rank = 0; rank < rankCount; ++rank) {
        runStart[rank + 1] = runStart[rank] + inRank[rank];
    }
    std::vector<std::size_t> byRun(n);
    std::vector<std::size_t> filled(runStart.begin(), runStart.end() - 1);
    for (std::size_t r = 0; r < n; ++r) {
        byRun[filled[ranks[r]]++] = r;
    }

    std::vector<std::size_t> order;
    order.reserve(n);
    std::vector<std::size_t> members;
    std::vector<std::size_t> memberOffsets;
    for (std::size_t rank = 0; rank < rankCount; ++rank) {
        const std::size_t begin = runStart[rank];
        const std::size_t end = runStart[rank + 1];
        if (end - begin == 1) {
            order.push_back(byRun[begin]);
            continue;
        }
        members.assign(byRun.begin() + static_cast<std::ptrdiff_t>(begin),
                       byRun.begin() + static_cast<std::ptrdiff_t>(end));
        memberOffsets.clear();
        for (std::size_t member : members) {
            memberOffsets.push_back(offsets[member]);
        }
        placeEqualKeys(members, memberOffsets, order);
    }
    if (!ascending) {
        std::reverse(order.begin(), order.end());
    }
    return order;
}

void sortByColumn(ResultList& results, int column, SortKind kind, bool ascending, bool caseSensitive) {
    std::vector<std::size_t> order;
    results.withColumnTexts(column, [&](const std::vector<std::string_view>& texts) {
        order = sortOrder(texts, kind, ascending, caseSensitive);
    });
    if (!order.empty()) {
        results.reorderTexts(order);
    }
}

} // namespace yuzhou
