#include "cli/TextCodec.h"

#include <cstdio>
#include <optional>

#include "cli/Refusal.h"

namespace ostra::cli {

namespace {

// Reads one code point at pos and moves pos past it; nothing for a byte
// sequence that is not well-formed UTF-8 (overlong forms and surrogates
// included).
//
//   0xxxxxxx                             U+0000 .. U+007F
//   110xxxxx 10xxxxxx                    U+0080 .. U+07FF
//   1110xxxx 10xxxxxx 10xxxxxx           U+0800 .. U+FFFF
//   11110xxx 10xxxxxx 10xxxxxx 10xxxxxx  U+10000 .. U+10FFFF
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos < static_cast<std::size_t>(length))
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    pos += length;
    return value;
}

std::string codePointName(char32_t character)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    return name;
}

bool isControl(char32_t character)
{
    return character < 0x20 || (character >= 0x7F && character < 0xA0);
}

} // namespace

std::string codePageName(CodePageId page)
{
    switch (page) {
    case CodePageId::Cp437:
        return "code page 437";
    case CodePageId::Cp1252:
        return "Windows-1252";
    }
    return {};
}

std::string decodeText(std::string_view bytes, CodePageId page)
{
    return DecodeToUtf8(bytes, CharacterSetOf(page));
}

std::string encodeText(std::string_view utf8, CodePageId page)
{
    const ByteCharacterSet& set = CharacterSetOf(page);
    std::string bytes;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::optional<char32_t> character = nextCodePoint(utf8, pos);
        if (!character)
            throw ValueError("the text is not valid UTF-8");
        const std::optional<std::uint8_t> byte = set.Byte(*character);
        if (!byte)
            throw ValueError("character " + codePointName(*character) + " has no byte in " + codePageName(page));
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

std::string terminalSafe(std::string_view utf8)
{
    std::string safe;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const std::optional<char32_t> character = nextCodePoint(utf8, pos);
        if (!character) {
            // Not UTF-8 (a file name, say): show the raw byte's value.
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(utf8[start]));
            safe += escaped;
            pos = start + 1;
        } else if (isControl(*character)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(*character));
            safe += escaped;
        } else {
            safe.append(utf8.substr(start, pos - start));
        }
    }
    return safe;
}

std::string quotedText(std::string_view utf8)
{
    // Backslashes first, so that a literal "\x01" stays apart from an
    // escaped control character.
    std::string escaped;
    for (char byte : utf8) {
        if (byte == '"' || byte == '\\')
            escaped.push_back('\\');
        escaped.push_back(byte);
    }
    std::string quoted(1, '"');
    quoted += terminalSafe(escaped);
    quoted += '"';
    return quoted;
}

} // namespace ostra::cli
