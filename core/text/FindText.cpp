#include "text/FindText.h"

#include <algorithm>
#include <limits>

namespace yuzhou {

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::int32_t findText(std::string_view text, std::string_view sub, std::int32_t start, bool ignoreCase) {
    if (text.empty() || sub.empty()) {
        return -1;
    }
    const std::size_t from = start <= 0 ? 0 : static_cast<std::size_t>(start) - 1;
    if (from >= text.size() ||
        text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return -1;
    }
    std::string_view::const_iterator found;
    if (ignoreCase) {
        found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), sub.begin(),
                            sub.end(), [](char a, char b) { return foldAscii(a) == foldAscii(b); });
    } else {
        found =
            std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), sub.begin(), sub.end());
    }
    if (found == text.end()) {
        return -1;
    }
    return static_cast<std::int32_t>(found - text.begin()) + 1;
}

} // namespace yuzhou
