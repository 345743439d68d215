#include "archive/windows1252.h"

#include <array>
#include <cstdint>

namespace zeko::archive {

namespace {

constexpr char32_t kUndefined = 0;
constexpr uint8_t kFirstHigh = 0x80;  // the bytes that differ from Latin-1 start here
constexpr uint8_t kFirstLatin1 = 0xA0;
constexpr uint8_t kFirstPrintable = 0x20;
constexpr uint8_t kDelete = 0x7F;
constexpr char kReplacement = '?';

// The characters of bytes 0x80-0x9F.
constexpr std::array<char32_t, kFirstLatin1 - kFirstHigh> kHighCharacters = {
    0x20AC,     kUndefined, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020, 0x2021,
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013, 0x2014,
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178};

char ByteOf(char32_t c) {
    if (c < kFirstHigh || (c >= kFirstLatin1 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighCharacters.size(); ++i)
        if (kHighCharacters[i] == c && c != kUndefined) return static_cast<char>(kFirstHigh + i);
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character that starts at `i`, or kUndefined for an invalid sequence;
// `i` moves past what was read.
char32_t NextCharacter(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i++);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
        return kUndefined;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return kUndefined;
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c < least || c > 0x10FFFF ? kUndefined : c;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCharacter(utf8, i);
        out += c == kUndefined ? kReplacement : ByteOf(c);
    }
    return out;
}

std::string FromWindows1252(std::string_view bytes) {
    std::string out;
    for (const char b : bytes) {
        const auto byte = static_cast<uint8_t>(b);
        char32_t c = byte;
        if (byte >= kFirstHigh && byte < kFirstLatin1) c = kHighCharacters[byte - kFirstHigh];
        if (byte < kFirstPrintable || byte == kDelete) c = kUndefined;
        if (c == kUndefined)
            out += kReplacement;
        else
            AppendUtf8(out, c);
    }
    return out;
}

}  // namespace zeko::archive
