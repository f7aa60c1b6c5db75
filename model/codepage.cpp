#include "codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Code points of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80];
    return b;
}

std::optional<unsigned char> CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point; nothing for a malformed sequence (which then counts
// as one byte).
std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++i;
        return std::nullopt;
    }
    if (i + extra >= s.size()) {
        ++i;
        return std::nullopt;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return cp;
}

char32_t UpperLatin1(char32_t cp) {
    if (cp >= 'a' && cp <= 'z')
        return cp - 32;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
        return cp - 32;
    if (cp == 0xFF)
        return 0x178;
    if (cp == 0x161 || cp == 0x153 || cp == 0x17E)
        return cp - 1;
    return cp;
}

char32_t FoldAccent(char32_t cp) {
    cp = UpperLatin1(cp);
    if (cp >= 0xC0 && cp <= 0xC5)
        return 'A';
    if (cp == 0xC7)
        return 'C';
    if (cp >= 0xC8 && cp <= 0xCB)
        return 'E';
    if (cp >= 0xCC && cp <= 0xCF)
        return 'I';
    if (cp == 0xD1)
        return 'N';
    if ((cp >= 0xD2 && cp <= 0xD6) || cp == 0xD8)
        return 'O';
    if (cp >= 0xD9 && cp <= 0xDC)
        return 'U';
    if (cp == 0xDD || cp == 0x178)
        return 'Y';
    return cp;
}

template <typename Map>
std::string MapCodePoints(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto cp = NextCodePoint(utf8, i);
        AppendUtf8(out, map(cp.value_or(0xFFFD)));
    }
    return out;
}

} // namespace

namespace {

// The end of the run of ASCII bytes from `from`, eight bytes at a time.
std::size_t AsciiRun(std::string_view bytes, std::size_t from) {
    std::size_t i = from;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    // Most texts of a map are plain ASCII and need no conversion.
    std::size_t end = AsciiRun(bytes, 0);
    if (end == bytes.size())
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 8);
    // Accented names are mostly ASCII too: the runs between accents go in whole.
    std::size_t i = 0;
    while (i < bytes.size()) {
        end = AsciiRun(bytes, i);
        out.append(bytes.data() + i, end - i);
        if (end < bytes.size())
            AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(bytes[end++])));
        i = end;
    }
    return out;
}

bool IsAscii(std::string_view text) {
    return AsciiRun(text, 0) == text.size();
}

bool Utf8ToCp1252(std::string_view utf8, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t end = AsciiRun(utf8, i);
        out.append(utf8.data() + i, end - i);
        i = end;
        if (i == utf8.size())
            break;
        const auto cp = NextCodePoint(utf8, i);
        if (!cp)
            return false;
        const auto b = CodePointToByte(*cp);
        if (!b)
            return false;
        out += static_cast<char>(*b);
    }
    return true;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (!Utf8ToCp1252(utf8, out))
        return std::nullopt;
    return out;
}

std::string Cp1252SortKey(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto cp = NextCodePoint(utf8, i);
        const auto b = cp ? CodePointToByte(*cp) : std::nullopt;
        out += b ? static_cast<char>(*b) : '?';
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = NextCodePoint(utf8, i).value_or(0xFFFD);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string ToUpperCp1252(std::string_view utf8) {
    return MapCodePoints(utf8, UpperLatin1);
}

std::string FoldForSearch(std::string_view utf8) {
    return MapCodePoints(utf8, FoldAccent);
}
