#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yuzhou {

/// Splits a keyword list at every ",". A leading comma and two commas in a row give empty
/// entries, a trailing comma gives none, and an empty text gives no entry at all.
std::vector<std::string> splitKeywordList(std::string_view text);

/// Splits an extension list like a keyword list, except that a text without any comma is
/// one entry as it stands: so the empty text is one empty entry, which matches the files
/// without an extension.
std::vector<std::string> splitExtensionList(std::string_view text);

} // namespace yuzhou
