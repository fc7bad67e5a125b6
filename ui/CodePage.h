#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QString>

namespace ostra {

// A single-byte character set: each byte value stands for one character.
// The editor keeps its own tables rather than the toolkit's converters,
// because those move some control positions of code page 437 around and
// leave holes in Windows-1252; here every byte a field can hold maps to a
// character and back.
class CodePage {
public:
    explicit CodePage(const std::array<char16_t, 256>& characters);

    QString Decode(std::string_view bytes) const;
    // The bytes of text, or nothing when a character has no byte here.
    std::optional<std::string> Encode(const QString& text) const;
    bool CanEncode(QChar character) const;

private:
    std::array<char16_t, 256> characters_;
    std::unordered_map<char16_t, unsigned char> bytes_;
};

// The device's panel character set (code page 437), drawn glyph for glyph:
// 0x01 to 0x1F and 0x7F are the pictures, 0xFF the no-break space.
const CodePage& CodePage437();

// Windows-1252; its five unassigned values map to the C1 controls of the
// same number so that all 256 byte values survive.
const CodePage& CodePage1252();

} // namespace ostra
