#pragma once

#include <cstdint>
#include <string_view>

namespace yuzhou {

/// 1-based byte position of the first `sub` in `text` at or after position `start`
/// (0 counts as 1), or -1 when there is none, when either text is empty or when `start`
/// lies outside the text. With `ignoreCase` only the ASCII letters A-Z are folded; the
/// comparison is byte-wise and knows nothing of multi-byte characters.
std::int32_t findText(std::string_view text, std::string_view sub, std::int32_t start = 0,
                      bool ignoreCase = false);

} // namespace yuzhou
