// The two single-byte character sets and the edit box that uses them.
#include <QLineEdit>

#include "FormFixture.h"
#include "ui/widgets/CodePage.h"
#include "ui/widgets/SingleByteEdit.h"

namespace ostra::test {
namespace {

TEST(CodePage, EveryNonNulByteSurvivesBothPages)
{
    for (const CodePage* page : {&CodePage437(), &CodePage1252()}) {
        std::string all;
        for (int b = 1; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        const QString text = page->Decode(all);
        ASSERT_EQ(text.size(), 255);
        EXPECT_EQ(page->Encode(text), all);
    }
}

struct Glyph {
    const CodePage& (*Page)();
    unsigned char Byte;
    char16_t Character;
};

// Positions where a toolkit converter would go wrong or leave a hole.
const Glyph kGlyphs[] = {
    {CodePage437, 0x01, 0x263A}, // smiling face, not a control character
    {CodePage437, 0x1A, 0x2192}, // right arrow (converters swap 0x1A, 0x1C, 0x7F)
    {CodePage437, 0x1C, 0x221F},
    {CodePage437, 0x7F, 0x2302},
    {CodePage437, 0x82, 0x00E9},
    {CodePage437, 0xDB, 0x2588},
    {CodePage437, 0xFF, 0x00A0}, // the blank marker draws as a blank
    {CodePage1252, 0x80, 0x20AC},
    {CodePage1252, 0x81, 0x0081}, // the five holes keep their C1 control
    {CodePage1252, 0x8D, 0x008D},
    {CodePage1252, 0x8F, 0x008F},
    {CodePage1252, 0x90, 0x0090},
    {CodePage1252, 0x9D, 0x009D},
    {CodePage1252, 0x9F, 0x0178},
    {CodePage1252, 0xFF, 0x00FF},
};

TEST(CodePage, BytesDrawAsTheirPagesCharacters)
{
    for (const Glyph& glyph : kGlyphs) {
        const std::string byte(1, static_cast<char>(glyph.Byte));
        EXPECT_EQ(glyph.Page().Decode(byte), QString(QChar(glyph.Character))) << int(glyph.Byte);
        EXPECT_EQ(glyph.Page().Encode(QString(QChar(glyph.Character))), byte) << int(glyph.Byte);
    }
}

TEST(CodePage, CharactersWithoutAByteAreRefusedNotReplaced)
{
    EXPECT_EQ(CodePage437().Encode(QString::fromUtf8("A€")), std::nullopt);
    EXPECT_EQ(CodePage1252().Encode(QString::fromUtf8("A☺")), std::nullopt);
    EXPECT_EQ(CodePage1252().Encode(QString(QChar(0))), std::nullopt); // NUL would end the text
    EXPECT_EQ(CodePage1252().Encode(QString::fromUtf8("😀")), std::nullopt);
}

struct Typing {
    const CodePage& (*Page)();
    const char* Typed; // UTF-8
    const char* Kept;  // UTF-8: what the box holds afterwards
    std::string Bytes;
};

const Typing kTyping[] = {
    {CodePage437, "Caf\xc3\xa9", "Caf\xc3\xa9", "Caf\x82"},
    {CodePage437, "a\xe2\x82\xac" "b", "ab", "ab"},             // euro sign refused
    {CodePage437, "\xe2\x98\xba", "\xe2\x98\xba", "\x01"},       // smiling face is byte 1
    {CodePage1252, "\xe2\x82\xac" "5", "\xe2\x82\xac" "5", "\x80" "5"},
    {CodePage1252, "x\xe2\x98\xbay", "xy", "xy"},               // smiling face refused
    {CodePage1252, "\xc3\xbf", "\xc3\xbf", "\xff"},
};

TEST(SingleByteEdit, TypingKeepsOnlyCharactersOfTheBoxsPage)
{
    for (const Typing& row : kTyping) {
        SingleByteEdit edit(row.Page(), nullptr);
        typeText(&edit, QString::fromUtf8(row.Typed));
        EXPECT_EQ(edit.text(), QString::fromUtf8(row.Kept)) << row.Typed;
        EXPECT_EQ(edit.Bytes(), row.Bytes) << row.Typed;
    }
}

TEST(SingleByteEdit, PastingTextWithAForeignCharacterIsRefusedWhole)
{
    SingleByteEdit edit(CodePage1252(), nullptr);
    edit.SetBytes("AB");
    edit.end(false);
    edit.insert(QString::fromUtf8("x☺y"));
    EXPECT_EQ(edit.Bytes(), "AB");
    edit.insert(QString::fromUtf8("xÿ"));
    EXPECT_EQ(edit.Bytes(), "ABx\xff");
}

} // namespace
} // namespace ostra::test
