#pragma once

#include "list/SortKeys.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace yuzhou {

class ResultList;

/// Where a new key x goes among the keys k1..kc collected so far (kept sorted, numbered
/// from 1): a place p from 1 to c + 1, the key going before the one at p. `compareAt(i)`
/// is the three-way comparison of x with k(i). A key equal to the last goes after it, one
/// equal to the first (when the last is greater) before it, and one that the binary search
/// meets as equal right after the key it met; so equal keys do not always keep their list
/// order.
template <typename CompareAt> std::size_t insertPositionAmong(std::size_t c, CompareAt compareAt) {
    if (c == 0) {
        return 1;
    }
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

/// insertPosition among a vector of keys, `compare(x, k)` a three-way comparison.
template <typename Key, typename Compare>
std::size_t insertPosition(const std::vector<Key>& keys, const Key& x, Compare compare) {
    return insertPositionAmong(keys.size(), [&](std::size_t index) { return compare(x, keys[index - 1]); });
}

/// The order in which sorting puts the texts: element i is the position in `texts` of the
/// text that goes to place i. It is the order that inserting the keys one by one with
/// insertPosition gives, computed in O(n log n) instead of moving keys about; descending
/// is the exact reverse of ascending, ties included.
std::vector<std::size_t> sortOrder(const std::vector<std::string_view>& texts, SortKind kind,
                                   bool ascending = true, bool caseSensitive = true);

/// Sorts the whole list by one column. Only the texts move: the ticks and the cell colours
/// stay with the row positions.
void sortByColumn(ResultList& results, int column, SortKind kind, bool ascending = true,
                  bool caseSensitive = true);

} // namespace yuzhou
