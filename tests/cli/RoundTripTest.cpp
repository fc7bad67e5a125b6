// export then import gives back every file byte for byte.
#include "CliFixture.h"
#include "cli/Document.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

TEST(DocumentRoundTrip, ThousandsOfRandomRecordsComeBackByteForByte)
{
    std::mt19937 random(20240611);
    int blank = 0;
    for (int n = 0; n < 2000; ++n) {
        const TConfigRecord record = randomRecord(random);
        blank += IsBlankConfig(record);
        // Through the document's text, as a file would carry it.
        const std::string text = cli::recordToDocument(record).dump(2);
        const cli::Json document = cli::Json::parse(text);
        ASSERT_EQ(cli::documentToRecord(document, OverlongText::Refuse), record) << "record " << n << "\n" << text;
        // The rebuilt record exports to the same document again.
        ASSERT_EQ(cli::recordToDocument(cli::documentToRecord(document, OverlongText::Refuse)), document);
    }
    EXPECT_GT(blank, 100);
}

TEST(DocumentRoundTrip, BlankFilesExportAsBlankWithoutSettings)
{
    TConfigRecord cleared{};
    BlankConfig(cleared);
    const cli::Json document = cli::recordToDocument(cleared);
    EXPECT_EQ(document, cli::Json::parse(R"({"format": "ostra-cfg/1", "blank": true, "carried": []})"));

    // A blank file that still holds settings keeps them as carried bytes.
    TConfigRecord stale = cleared;
    stale[33] = 'V';
    const cli::Json staleDocument = cli::recordToDocument(stale);
    EXPECT_EQ(staleDocument["carried"], cli::Json::parse(R"([{"offset": 33, "hex": "56"}])"));
    EXPECT_EQ(cli::documentToRecord(staleDocument, OverlongText::Refuse), stale);
}

TEST(DocumentRoundTrip, TextsAreDecodedThroughTheirCodePage)
{
    TConfigRecord record{};
    WriteConfigText(record, 0, 32, "\x82\xE1"); // code page 437: é, ß
    WriteConfigText(record, 32, 4, "\x80\xE9"); // Windows-1252: €, é
    WriteConfigText(record, 290, 30, "Call");
    record[294] = 0; // cuts line 1 and empties the rest
    WriteConfigText(record, 320, 30, "gone");
    const cli::Json document = cli::recordToDocument(record);
    EXPECT_EQ(document["description"], "é\xC3\x9F");
    EXPECT_EQ(document["sources"]["1"]["short"], "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(document["installer"]["1"], "Call");
    EXPECT_EQ(document["installer"]["2"], "");
    EXPECT_EQ(cli::documentToRecord(document, OverlongText::Refuse), record);
}

class ExportImportCommands : public CliFixture {};

TEST_F(ExportImportCommands, FilesSurviveExportAndImportThroughTheCommandLine)
{
    std::mt19937 random(7);
    for (int n = 0; n < 40; ++n) {
        SCOPED_TRACE(n);
        const TConfigRecord record = randomRecord(random);
        writeRecord("unit.cfg", record);
        ASSERT_EQ(run({"export", path("unit.cfg"), "-o", path("unit.json")}).Status, ExitStatus::Done);
        ASSERT_EQ(run({"import", path("unit.json"), "-o", path("copy.cfg"), "--force"}).Status, ExitStatus::Done);
        EXPECT_EQ(readRecord("copy.cfg"), record);
    }
    // Without -o: standard output, and the document's name with ".cfg".
    const CliRun exported = run({"export", path("unit.cfg")});
    ASSERT_EQ(exported.Status, ExitStatus::Done);
    const CliRun imported = run({"import", "-", "-o", path("stdin.cfg")}, exported.Out);
    ASSERT_EQ(imported.Status, ExitStatus::Done) << imported.Err;
    EXPECT_EQ(readBytes("stdin.cfg"), readBytes("unit.cfg"));
    ASSERT_EQ(run({"import", path("unit.json"), "--force"}).Status, ExitStatus::Done);
    EXPECT_EQ(readBytes("unit.cfg"), readBytes("copy.cfg"));
}

TEST_F(ExportImportCommands, ADocumentWrittenByHandFillsLeftOutFieldsAsAnEmptyRecord)
{
    writeBytes("hall.json", R"({"format": "ostra-cfg/1", "description": "Hall",
        "zones": {"6": {"wallplates": ["F6"], "main": true}}, "carried": [{"offset": 2047, "hex": "ff"}]})");
    ASSERT_EQ(run({"import", path("hall.json"), "-o", path("hall.cfg")}).Status, ExitStatus::Done);
    TConfigRecord expected{};
    WriteConfigText(expected, 0, 32, "Hall");
    expected[285] = 0x08;  // F6 of zone 6
    expected[410] = 0x20;  // main output in zone 6
    expected[2047] = 0xFF;
    EXPECT_EQ(readRecord("hall.cfg"), expected);
}

} // namespace
} // namespace ostra::test
