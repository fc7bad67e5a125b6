#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "config/ByteCharacterSet.h"
#include "config/ConfigFields.h"

namespace ostra {

// A single-byte character set seen through the toolkit's strings: each byte
// value stands for one character. The tables themselves live with the
// record (config/ByteCharacterSet.h), so tools without the toolkit read and write
// the same characters. A page only refers to its table, so it is copied
// freely.
class CodePage {
public:
    explicit CodePage(const ByteCharacterSet& characters) : characters_(characters) {}

    QString Decode(std::string_view bytes) const;
    // The bytes of text, or nothing when a character has no byte here.
    std::optional<std::string> Encode(const QString& text) const;
    bool CanEncode(QChar character) const;

private:
    const ByteCharacterSet& characters_;
};

// The device's panel character set (code page 437), drawn glyph for glyph:
// 0x01 to 0x1F and 0x7F are the pictures, 0xFF the no-break space.
const CodePage& CodePage437();

// Windows-1252; its five unassigned values map to the C1 controls of the
// same number so that all 256 byte values survive.
const CodePage& CodePage1252();

// The page a field of the record is kept in: its character set as
// CharacterSetOf gives it.
CodePage CodePageFor(CodePageId page);

} // namespace ostra
