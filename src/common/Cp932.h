#pragma once
// Characters of code page 932 text: a lead byte and its trail byte are one character.
#include <cstddef>
#include <string_view>

namespace purimo {

constexpr bool IsCp932LeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsCp932TrailByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes of the character at pos: two for a double-byte character. A lead byte without a valid
// second byte (broken text in a file) counts alone, so that it cannot swallow the byte after it.
constexpr size_t Cp932CharLength(std::string_view text, size_t pos) {
    return IsCp932LeadByte(text[pos]) && pos + 1 < text.size() && IsCp932TrailByte(text[pos + 1]) ? 2 : 1;
}

} // namespace purimo
