#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yuzhou {

/// Converts text between two encodings known to iconv. Gives nothing when the input is
/// not valid in `from` or holds a character that `to` lacks: never a partial text.
std::optional<std::string> convertEncoding(std::string_view text, const char* from, const char* to);

std::optional<std::string> utf8ToGbk(std::string_view utf8);
std::optional<std::string> gbkToUtf8(std::string_view gbk);

/// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

/// Decodes the character at `pos` and advances `pos` past it. A byte that does not start
/// a valid UTF-8 sequence is taken alone and returned as 0xDC00 + byte (as surrogate
/// escapes do), so every byte string decodes to something.
char32_t decodeUtf8At(std::string_view text, std::size_t& pos);

/// The key under which texts sort in GBK order: every character maps to its GBK code
/// (one byte, or two bytes read as a 16-bit number); a character GBK lacks maps to
/// 0x10000 + its code point. Comparing keys equals comparing the GBK bytes wherever GBK
/// can hold the text.
std::u32string gbkOrderKey(std::string_view utf8);

/// Three-way comparison of two UTF-8 texts in GBK order, without building keys.
int compareGbkOrder(std::string_view a, std::string_view b);

} // namespace yuzhou
