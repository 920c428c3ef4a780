#include "platform/LocalTime.h"

#include <ctime>

namespace yuzhou {

namespace {

char* writeDigits(char* out, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + digits;
}

} // namespace

std::size_t writeLocalTimeText(std::int64_t secondsSinceEpoch, char* out) {
    const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr || local.tm_year + 1900 < 0 || local.tm_year + 1900 > 9999) {
        return 0;
    }
    char* p = writeDigits(out, local.tm_year + 1900, 4);
    *p++ = '-';
    p = writeDigits(p, local.tm_mon + 1, 2);
    *p++ = '-';
    p = writeDigits(p, local.tm_mday, 2);
    *p++ = ' ';
    p = writeDigits(p, local.tm_hour, 2);
    *p++ = ':';
    p = writeDigits(p, local.tm_min, 2);
    *p++ = ':';
    p = writeDigits(p, local.tm_sec, 2);
    return static_cast<std::size_t>(p - out);
}

std::string localTimeText(std::int64_t secondsSinceEpoch) {
    char text[kTimeTextLength];
    return std::string(text, writeLocalTimeText(secondsSinceEpoch, text));
}

} // namespace yuzhou
