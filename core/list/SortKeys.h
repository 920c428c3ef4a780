#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

/// How the texts of a column turn into keys for sorting.
enum class SortKind { Number, Text, Time };

/// Numbers and times closer than this count as equal.
inline constexpr double kSortTolerance = 0.0000001;

/// The leading decimal number of a text, as atof reads it, with full-width characters
/// ("１２３", "．") read as their ASCII counterparts; a text without a number gives 0.
double numberKey(std::string_view text);

/// A date and time "yyyy-MM-dd HH:mm:ss" (the time may be left out, and "/" may separate
/// the date) as a day number: days since 30 December 1899, the time of day as the
/// fraction. A text that does not read as a date, the empty text included, counts as
/// 1 January of the year 100.
double timeKey(std::string_view text);

/// Three-way comparison of two texts in GBK order, with or without regard to the case of
/// ASCII letters.
int compareTextKeys(std::string_view a, std::string_view b, bool caseSensitive);

/// A byte string that compares (as unsigned bytes) exactly as the text does in GBK order:
/// ASCII stays as it is, a GBK character becomes its two code bytes, and a character GBK
/// lacks becomes 0xFF and three bytes of its code point, after every GBK code.
std::string gbkByteOrderKey(std::string_view text, bool caseSensitive);

/// Three-way comparison of numbers or times: equal when they differ by at most the
/// tolerance.
int compareNumberKeys(double a, double b);

} // namespace yuzhou
