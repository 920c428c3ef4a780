#include "text/ByteSizeText.h"

#include <array>
#include <string_view>

namespace yuzhou {

std::string byteSizeText(std::int64_t bytes) {
    if (bytes <= 0) {
        return "0";
    }
    if (bytes < 1024) {
        return std::to_string(bytes) + " B";
    }
    static constexpr std::array<std::string_view, 6> units = {"KB", "MB", "GB", "TB", "PB", "EB"};
    std::size_t unit = 0;
    unsigned __int128 divisor = 1024;
    while (unit + 1 < units.size() && static_cast<unsigned __int128>(bytes) >= divisor * 1024) {
        divisor *= 1024;
        ++unit;
    }
    // Hundredths of the unit, cut toward zero; integer arithmetic so that no rounding of
    // a floating-point division can push 1023.999 up to 1024.
    const auto hundredths = static_cast<std::uint64_t>(static_cast<unsigned __int128>(bytes) * 100 / divisor);
    const std::uint64_t whole = hundredths / 100;
    const std::uint64_t fraction = hundredths % 100;
    std::string text;
    if (whole < 10) {
        text = std::to_string(whole) + '.' + char('0' + fraction / 10) + char('0' + fraction % 10);
    } else if (whole < 100) {
        text = std::to_string(whole) + '.' + char('0' + fraction / 10);
    } else {
        text = std::to_string(whole);
    }
    text += ' ';
    text += units[unit];
    return text;
}

} // namespace yuzhou
