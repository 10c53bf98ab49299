#include "text_codec.h"

#include <array>

namespace {

// Characters of the bytes 0x80..0x9F; the unassigned five keep their own number.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

struct BoxByte
{
    unsigned char byte;
    char32_t line;
};

// The report's chart bytes and the code page 437 box lines they stand for.
constexpr std::array<BoxByte, 6> boxBytes = { {
    { 0xC4, U'\u2500' },
    { 0xB3, U'\u2502' },
    { 0xDA, U'\u250C' },
    { 0xC0, U'\u2514' },
    { 0xC3, U'\u251C' },
    { 0xC2, U'\u252C' },
} };

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns U+FFFD for an invalid one and advances pos.
char32_t decodeUtf8(std::string_view text, std::size_t &pos)
{
    const unsigned char lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
            return 0xFFFD;
        c = c << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    static constexpr char32_t smallest[] = { 0, 0x80, 0x800, 0x10000 };
    if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0xFFFD;
    return c;
}

} // namespace

char32_t byteToUnicode(unsigned char byte, CharacterMap map)
{
    if (map == CharacterMap::Document) {
        for (const BoxByte &box : boxBytes) {
            if (box.byte == byte)
                return box.line;
        }
    }
    if (byte >= 0x80 && byte < 0xA0)
        return windows1252High[byte - 0x80];
    return byte;
}

int unicodeToByte(char32_t character, CharacterMap map)
{
    for (int byte = 0; byte < 256; ++byte) {
        if (byteToUnicode(static_cast<unsigned char>(byte), map) == character)
            return byte;
    }
    return -1;
}

std::string bytesToUtf8(std::string_view bytes, CharacterMap map)
{
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes)
        appendUtf8(out, byteToUnicode(static_cast<unsigned char>(byte), map));
    return out;
}

std::string utf8ToBytes(std::string_view utf8, char replacement, CharacterMap map)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = decodeUtf8(utf8, pos);
        const int byte = c < 0x80 ? int(c) : unicodeToByte(c, map);
        out += byte < 0 ? replacement : char(byte);
    }
    return out;
}
