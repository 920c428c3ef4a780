#include "text/Encoding.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <vector>

namespace yuzhou {

std::optional<std::string> convertEncoding(std::string_view text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    std::string out;
    std::vector<char> input(text.begin(), text.end());
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::array<char, 4096> buffer{};
    // The second round (in == nullptr) flushes the shift state of stateful encodings.
    for (bool flushing = false;;) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        std::size_t rc = flushing ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft)
                                  : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                continue;
            }
            return std::nullopt; // EILSEQ: no such character; EINVAL: input cut inside one
        }
        // glibc counts characters converted in a non-reversible way; such a text is not
        // what the caller gave, so it counts as a failure as well.
        if (rc != 0) {
            return std::nullopt;
        }
        if (flushing) {
            return out;
        }
        flushing = true;
    }
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    return convertEncoding(utf8, "UTF-8", "GBK");
}

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    return convertEncoding(gbk, "GBK", "UTF-8");
}

namespace {

constexpr char32_t kInvalidByteBase = 0xDC00;

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

char32_t decodeUtf8At(std::string_view text, std::size_t& pos) {
    const auto byteAt = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    }
    bool valid = length != 0 && pos + length <= text.size();
    for (std::size_t i = 1; valid && i < length; ++i) {
        valid = isContinuation(byteAt(pos + i));
        cp = (cp << 6) | (byteAt(pos + i) & 0x3F);
    }
    valid = valid && cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    if (!valid) {
        ++pos;
        return kInvalidByteBase + lead;
    }
    pos += length;
    return cp;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        // A valid sequence never decodes to a surrogate, so this range means an invalid byte.
        const char32_t cp = decodeUtf8At(text, pos);
        if (cp >= kInvalidByteBase + 0x80 && cp <= kInvalidByteBase + 0xFF) {
            return false;
        }
    }
    return true;
}

namespace {

/// GBK code of every character of the Basic Multilingual Plane, 0 where GBK has none.
/// Built once from iconv's own GBK table, by decoding every two-byte code.
class GbkOrderTable {
public:
    GbkOrderTable() : m_codes(0x10000, 0) {
        for (char32_t c = 0; c < 0x80; ++c) {
            m_codes[c] = static_cast<std::uint16_t>(c);
        }
        iconv_t cd = iconv_open("UTF-32LE", "GBK");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            return;
        }
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char out[8] = {};
                char* inPtr = in;
                char* outPtr = out;
                std::size_t inLeft = 2;
                std::size_t outLeft = sizeof out;
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                    sizeof out - outLeft == 4) {
                    const auto* bytes = reinterpret_cast<const unsigned char*>(out);
                    const char32_t cp = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24;
                    if (cp < m_codes.size() && m_codes[cp] == 0) {
                        m_codes[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
                    }
                }
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        iconv_close(cd);
    }

    char32_t keyOf(char32_t cp) const {
        if (cp < m_codes.size() && (m_codes[cp] != 0 || cp == 0)) {
            return m_codes[cp];
        }
        return 0x10000 + cp;
    }

private:
    std::vector<std::uint16_t> m_codes;
};

const GbkOrderTable& gbkOrderTable() {
    static const GbkOrderTable table;
    return table;
}

} // namespace

std::u32string gbkOrderKey(std::string_view utf8) {
    const GbkOrderTable& table = gbkOrderTable();
    std::u32string key;
    key.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        key.push_back(table.keyOf(decodeUtf8At(utf8, pos)));
    }
    return key;
}

int compareGbkOrder(std::string_view a, std::string_view b) {
    const GbkOrderTable& table = gbkOrderTable();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        // Equal ASCII bytes are the common case and need no decoding.
        if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80) {
            ++i, ++j;
            continue;
        }
        const char32_t x = table.keyOf(decodeUtf8At(a, i));
        const char32_t y = table.keyOf(decodeUtf8At(b, j));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

} // namespace yuzhou
