#include "config/CardFileLine.h"

#include "config/ByteCharacterSet.h"

namespace ostra {

namespace {

constexpr std::size_t kNameColumns = 13;
constexpr std::string_view kAfterName = "]   ";

// The description is kept in the panel's code page 437, and the main
// window's description box and ostra-cfg show read it so. The browser's
// list draws in an ANSI font, as the card browser always has, where each
// byte stands for its Windows-1252 character; users know their cards by
// those lines, so the list keeps them (a letter beyond ASCII typed on the
// panel shows there as another letter). A terminal has no ANSI font to be
// true to, so there the description reads in code page 437 as everywhere
// else.
const ByteCharacterSet& descriptionCharacters(CardLineScreen screen)
{
    switch (screen) {
    case CardLineScreen::BrowserList: return CharacterSet1252();
    case CardLineScreen::Terminal: return CharacterSet437();
    }
    return CharacterSet437();
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (char byte : utf8)
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

std::string CardFileDescription(const TConfigRecord& record, CardLineScreen screen)
{
    if (IsBlankConfig(record))
        return kBlankConfigDescription;
    return DecodeToUtf8(ReadConfigText(record, layout::kDescriptionOffset, layout::kDescriptionWidth),
                        descriptionCharacters(screen));
}

std::string CardFileFailure(std::string_view message)
{
    std::string shown;
    shown.reserve(message.size() + 2);
    shown += '<';
    shown += message;
    shown += '>';
    return shown;
}

std::string CardFileLine(std::string_view name, std::string_view shown)
{
    // Built in one buffer: a card of thousands of files makes as many lines.
    const std::size_t length = characterCount(name);
    const std::size_t padding = length < kNameColumns ? kNameColumns - length : 0;
    std::string line;
    line.reserve(1 + padding + name.size() + kAfterName.size() + shown.size());
    line += '[';
    line.append(padding, ' ');
    line += name;
    line += kAfterName;
    line += shown;
    return line;
}

} // namespace ostra
