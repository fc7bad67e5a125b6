#include "config/CardFileLine.h"

#include <gtest/gtest.h>

namespace ostra {
namespace {

TEST(CardFileLine, RightAlignsNamesOfUpToThirteenCharactersAndCutsNone)
{
    struct Row {
        std::string name;
        const char* line;
    };
    const Row rows[] = {
        {"", "[             ]   Hall"},
        {"A.CFG", "[        A.CFG]   Hall"},
        {"THIRTEEN1.CFG", "[THIRTEEN1.CFG]   Hall"},
        {"FOURTEEN12.CFG", "[FOURTEEN12.CFG]   Hall"},
        // Characters, not bytes: two letters of two bytes each.
        {"\xC3\xA9\xC3\xA9.CFG", "[       \xC3\xA9\xC3\xA9.CFG]   Hall"},
        // No UTF-8: each byte that starts no sequence counts.
        {"\xFF\xFE.CFG", "[       \xFF\xFE.CFG]   Hall"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CardFileLine(row.name, "Hall"), row.line) << row.name;
}

// The browser's list shows each byte as its Windows-1252 character, every
// other place in the panel's code page 437; both stop at the first NUL.
TEST(CardFileDescription, DecodesTheDescriptionByWhereTheLineIsShown)
{
    struct Row {
        std::string bytes;
        const char* browserList;
        const char* terminal;
    };
    const Row rows[] = {
        {"Hall", "Hall", "Hall"},
        {"Caf\xE9", "Caf\xC3\xA9", "Caf\xCE\x98"},           // é | Θ
        {"\x81\x9C", "\xC2\x81\xC5\x93", "\xC3\xBC\xC2\xA3"}, // U+0081 œ | ü £
        {std::string("Kept\0Gone", 9), "Kept", "Kept"},
    };
    for (const Row& row : rows) {
        TConfigRecord record{};
        std::copy(row.bytes.begin(), row.bytes.end(), record.begin() + layout::kDescriptionOffset);
        EXPECT_EQ(CardFileDescription(record, CardLineScreen::BrowserList), row.browserList) << row.bytes;
        EXPECT_EQ(CardFileDescription(record, CardLineScreen::Terminal), row.terminal) << row.bytes;
    }
    TConfigRecord blank{};
    BlankConfig(blank);
    for (const CardLineScreen screen : {CardLineScreen::BrowserList, CardLineScreen::Terminal})
        EXPECT_EQ(CardFileDescription(blank, screen), "<Blank Config File>");
}

} // namespace
} // namespace ostra
