#include "ui/widgets/CodePage.h"

namespace ostra {

QString CodePage::Decode(std::string_view bytes) const
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(characters_.Character(static_cast<std::uint8_t>(byte)));
    return text;
}

std::optional<std::string> CodePage::Encode(const QString& text) const
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar character : text) {
        const std::optional<std::uint8_t> byte = characters_.Byte(character.unicode());
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

bool CodePage::CanEncode(QChar character) const
{
    return characters_.Byte(character.unicode()).has_value();
}

const CodePage& CodePage437()
{
    static const CodePage page(CharacterSet437());
    return page;
}

const CodePage& CodePage1252()
{
    static const CodePage page(CharacterSet1252());
    return page;
}

CodePage CodePageFor(CodePageId page)
{
    return CodePage(CharacterSetOf(page));
}

} // namespace ostra
