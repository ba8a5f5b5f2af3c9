// Wide (UTF-16) file names spelt in UTF-8, the form the file system takes.
#include "image/dib_internal.h"

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One code point from the units at name; advances name past them.
char32_t nextCodePoint(const char16_t*& name) {
    char32_t unit = *name++;
    if (isHighSurrogate(unit) && isLowSurrogate(*name))
        return 0x10000 + ((unit - 0xD800) << 10) + (*name++ - 0xDC00);
    if (isHighSurrogate(unit) || isLowSurrogate(unit))
        return replacementCharacter;
    return unit;
}

void appendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string wideNameToUtf8(const char16_t* name) {
    std::string out;
    if (name == nullptr)
        return out;
    while (*name != 0)
        appendUtf8(nextCodePoint(name), out);
    return out;
}
