#include "list/SortByColumn.h"

#include "search/ResultList.h"

#include <algorithm>
#include <numeric>

namespace yuzhou {

namespace {

/// Ranks of the keys: equal keys share a rank, and ranks grow with the keys. For numbers
/// and times a key within the tolerance of the previous distinct one joins its rank.
std::vector<std::size_t> rankKeys(const std::vector<std::string>& texts, SortKind kind, bool caseSensitive) {
    const std::size_t n = texts.size();
    std::vector<std::size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), std::size_t{0});
    std::vector<std::size_t> ranks(n);
    if (kind == SortKind::Text) {
        std::sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) {
            return compareTextKeys(texts[a], texts[b], caseSensitive) < 0;
        });
        for (std::size_t i = 0; i < n; ++i) {
            const bool same =
                i > 0 && compareTextKeys(texts[byKey[i - 1]], texts[byKey[i]], caseSensitive) == 0;
            ranks[byKey[i]] = i == 0 ? 0 : ranks[byKey[i - 1]] + (same ? 0 : 1);
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

    void add(std::size_t index, long long delta) {
        for (std::size_t i = index + 1; i < m_tree.size(); i += i & (~i + 1)) {
            m_tree[i] += delta;
        }
    }

    /// Sum of the counts at indexes below `end`.
    long long prefix(std::size_t end) const {
        long long sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1)) {
            sum += m_tree[i];
        }
        return sum;
    }

    /// The smallest index whose prefix sum through it reaches k (k from 1).
    std::size_t findKth(long long k) const {
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
    std::vector<long long> m_tree;
};

/// insertPosition worked out from counts alone: among c sorted keys, `less` are below x
/// and `equal` equal to it, so every comparison of the search is known from an index.
std::size_t insertPositionByCounts(std::size_t less, std::size_t equal, std::size_t c) {
    if (c == 0) {
        return 1;
    }
    const auto compareAt = [&](std::size_t index) { // compare(x, k[index]), index from 1
        if (index <= less) {
            return 1;
        }
        return index <= less + equal ? 0 : -1;
    };
    if (compareAt(c) >= 0) {
        return c + 1;
    }
    if (compareAt(1) <= 0) {
        return 1;
    }
    std::size_t lo = 1;
    std::size_t hi = c;
    while (lo < hi - 1) {
        const std::size_t mid = (lo + hi) / 2;
        const int order = compareAt(mid);
        if (order == 0) {
            lo = mid;
            break;
        }
        if (order > 0) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return lo + 1;
}

} // namespace

std::vector<std::size_t> sortOrder(const std::vector<std::string>& texts, SortKind kind, bool ascending,
                                   bool caseSensitive) {
    const std::size_t n = texts.size();
    const std::vector<std::size_t> ranks = rankKeys(texts, kind, caseSensitive);

    // Where each key is inserted, as an index into the keys collected before it.
    std::vector<std::size_t> insertedAt(n);
    CountTree counts(n);
    for (std::size_t r = 0; r < n; ++r) {
        const auto less = static_cast<std::size_t>(counts.prefix(ranks[r]));
        const auto equal = static_cast<std::size_t>(counts.prefix(ranks[r] + 1)) - less;
        insertedAt[r] = insertPositionByCounts(less, equal, r) - 1;
        counts.add(ranks[r], 1);
    }

    // The last key inserted keeps its place; each earlier one takes the free place its
    // insertion index names once the later ones are placed.
    std::vector<std::size_t> order(n);
    CountTree free(n);
    for (std::size_t i = 0; i < n; ++i) {
        free.add(i, 1);
    }
    for (std::size_t r = n; r-- > 0;) {
        const std::size_t place = free.findKth(static_cast<long long>(insertedAt[r]) + 1);
        order[place] = r;
        free.add(place, -1);
    }
    if (!ascending) {
        std::reverse(order.begin(), order.end());
    }
    return order;
}

void sortByColumn(ResultList& results, int column, SortKind kind, bool ascending, bool caseSensitive) {
    std::vector<std::string> texts;
    texts.reserve(results.rowCount());
    results.forEachRow([&](std::size_t, const ResultList::RowView& row) {
        texts.emplace_back(row.cells[static_cast<std::size_t>(column)]);
    });
    if (texts.empty()) {
        return;
    }
    results.reorderTexts(sortOrder(texts, kind, ascending, caseSensitive));
}

} // namespace yuzhou
