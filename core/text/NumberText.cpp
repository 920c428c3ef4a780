#include "text/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace yuzhou {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i, ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i, ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    // from_chars reads the same syntax as strtod but never looks at the locale, whose
    // decimal separator need not be a point.
    std::string_view number = text.substr(start, i - start);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') {
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large gives infinity; too small to represent gives 0.
        const bool tooLarge = number.find_first_of("eE") == std::string_view::npos ||
                              number[number.find_first_of("eE") + 1] != '-';
        value = tooLarge ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

} // namespace yuzhou
