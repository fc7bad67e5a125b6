#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ostra {

// A single-byte character set: each byte value stands for one character
// (a UTF-16 code unit; both sets lie in the Basic Multilingual Plane).
// The editor keeps its own tables rather than a library's converters,
// because those move some control positions of code page 437 around and
// leave holes in Windows-1252; here every byte a field can hold maps to a
// character and back. NUL ends a text and is never encoded.
class ByteCharacterSet {
public:
    explicit ByteCharacterSet(const std::array<char16_t, 256>& characters);

    char16_t Character(std::uint8_t byte) const { return characters_[byte]; }
    // The byte that stands for character, or nothing when there is none.
    std::optional<std::uint8_t> Byte(char32_t character) const;

private:
    std::array<char16_t, 256> characters_;
    std::unordered_map<char32_t, std::uint8_t> bytes_;
};

// The characters the bytes stand for in `characters`, as UTF-8: one
// character per byte.
std::string DecodeToUtf8(std::string_view bytes, const ByteCharacterSet& characters);

// The code point of the UTF-8 sequence at pos in text, moving pos past it;
// nothing, pos unmoved, where the bytes there are no well-formed UTF-8.
// pos must lie inside text.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);

// The device's panel character set (code page 437), drawn glyph for glyph:
// 0x01 to 0x1F and 0x7F are the pictures, 0xFF the no-break space. The
// description is kept in it.
const ByteCharacterSet& CharacterSet437();

// Windows-1252, the set of every other text; its five unassigned values map
// to the C1 controls of the same number so that all 256 byte values survive.
const ByteCharacterSet& CharacterSet1252();

} // namespace ostra
