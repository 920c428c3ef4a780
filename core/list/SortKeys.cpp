#include "list/SortKeys.h"

#include "text/Encoding.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace yuzhou {

namespace {

/// Full-width forms U+FF01..U+FF5E and the ideographic space become ASCII.
std::string halfWidth(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t cp = decodeUtf8At(text, pos);
        if (cp >= 0xFF01 && cp <= 0xFF5E) {
            ascii += static_cast<char>(cp - 0xFF01 + 0x21);
        } else if (cp == 0x3000) {
            ascii += ' ';
        } else {
            ascii.append(text.substr(start, pos - start));
        }
    }
    return ascii;
}

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string foldedCopy(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        c = foldAscii(c);
    }
    return folded;
}

/// Days from 1 January 1970 to a date of the proleptic Gregorian calendar.
long long daysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

/// Reads 1 to `maxDigits` digits at `pos`; false when there is none.
bool readNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
    value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos, ++digits;
    }
    return digits > 0;
}

const double kDayZero = static_cast<double>(daysFromCivil(1899, 12, 30));
const double kUnreadableDate = static_cast<double>(daysFromCivil(100, 1, 1)) - kDayZero;

} // namespace

double numberKey(std::string_view text) {
    return isAscii(text) ? leadingNumber(text) : leadingNumber(halfWidth(text));
}

double timeKey(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::size_t pos = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!readNumber(text, pos, 4, year) || pos >= text.size() || (text[pos] != '-' && text[pos] != '/')) {
        return kUnreadableDate;
    }
    const char separator = text[pos++];
    if (!readNumber(text, pos, 2, month) || pos >= text.size() || text[pos++] != separator ||
        !readNumber(text, pos, 2, day)) {
        return kUnreadableDate;
    }
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return kUnreadableDate;
    }
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (pos < text.size()) {
        if (text[pos++] != ' ' || !readNumber(text, pos, 2, hour) || pos >= text.size() ||
            text[pos++] != ':' || !readNumber(text, pos, 2, minute)) {
            return kUnreadableDate;
        }
        if (pos < text.size() && (text[pos++] != ':' || !readNumber(text, pos, 2, second))) {
            return kUnreadableDate;
        }
        if (pos != text.size() || hour > 23 || minute > 59 || second > 59) {
            return kUnreadableDate;
        }
    }
    const double days =
        static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))) -
        kDayZero;
    return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

int compareTextKeys(std::string_view a, std::string_view b, bool caseSensitive) {
    if (isAscii(a) && isAscii(b)) {
        // ASCII is its own GBK code: plain byte order.
        if (caseSensitive) {
            const int c = a.compare(b);
            return (c > 0) - (c < 0);
        }
        const std::size_t common = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < common; ++i) {
            const char x = foldAscii(a[i]);
            const char y = foldAscii(b[i]);
            if (x != y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
            }
        }
        return (a.size() > b.size()) - (a.size() < b.size());
    }
    if (caseSensitive) {
        return compareGbkOrder(a, b);
    }
    return compareGbkOrder(foldedCopy(a), foldedCopy(b));
}

std::string gbkByteOrderKey(std::string_view text, bool caseSensitive) {
    if (isAscii(text)) {
        return caseSensitive ? std::string(text) : foldedCopy(text);
    }
    const std::u32string units = gbkOrderKey(caseSensitive ? std::string(text) : foldedCopy(text));
    std::string key;
    key.reserve(units.size() * 2);
    for (char32_t unit : units) {
        if (unit < 0x80) {
            key += static_cast<char>(unit);
        } else if (unit <= 0xFFFF) {
            key += static_cast<char>(unit >> 8);
            key += static_cast<char>(unit & 0xFF);
        } else {
            key += static_cast<char>(0xFF);
            key += static_cast<char>((unit >> 16) & 0xFF);
            key += static_cast<char>((unit >> 8) & 0xFF);
            key += static_cast<char>(unit & 0xFF);
        }
    }
    return key;
}

int compareNumberKeys(double a, double b) {
    if (a == b || std::fabs(a - b) <= kSortTolerance) {
        return 0;
    }
    return a < b ? -1 : 1;
}

} // namespace yuzhou
