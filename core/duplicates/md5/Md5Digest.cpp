#include "duplicates/md5/Md5Digest.h"

namespace yuzhou {

std::string md5Text(const Md5Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(2 * digest.size(), '0');
    for (std::size_t i = 0; i < digest.size(); ++i) {
        text[2 * i] = kDigits[digest[i] >> 4];
        text[2 * i + 1] = kDigits[digest[i] & 0x0f];
    }
    return text;
}

} // namespace yuzhou
