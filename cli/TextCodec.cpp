#include "cli/TextCodec.h"

#include <cstdio>
#include <optional>

#include "config/ByteCharacterSet.h"

namespace ostra::cli {

namespace {

bool isControl(char32_t character)
{
    return character < 0x20 || (character >= 0x7F && character < 0xA0);
}

} // namespace

std::string terminalSafe(std::string_view utf8)
{
    std::string safe;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const std::optional<char32_t> character = NextCodePoint(utf8, pos);
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
