// The unit's document without a window: what it measures changes against,
// how its history groups and bounds steps, and what a save and an open do
// to that history.
#include <gtest/gtest.h>

#include "config/ConfigLayout.h"
#include "document/UnitDocument.h"

namespace ostra::test {
namespace {

const ConfigField& fieldNamed(const char* key)
{
    for (const ConfigField& field : ConfigFields())
        if (field.Key == key)
            return field;
    throw std::runtime_error(key);
}

TConfigRecord withDescription(const std::string& text)
{
    TConfigRecord record{};
    WriteFieldText(record, fieldNamed("description"), text);
    return record;
}

FileState fileAt(const std::string& path, const TConfigRecord& content, bool readOnly = false)
{
    FileState file;
    file.Path = path;
    file.Content = content;
    file.ReadOnly = readOnly;
    return file;
}

class UnitDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { document.Opened(fileAt("/card/HALL.CFG", file), file); }

    TConfigRecord file = withDescription("Hall");
    UnitDocument document;
};

// Keystrokes in one box are one step until the box is left or another
// edit comes between; a step that changes nothing is none.
TEST_F(UnitDocumentTest, TypingInOneBoxIsOneStepUntilTheBurstEnds)
{
    const int box = 0, otherBox = 0;
    document.Edit("Typing in Description", withDescription("Hall 2"), &box);
    document.Edit("Typing in Description", withDescription("Hall 23"), &box);
    EXPECT_EQ(document.UndoDepth(), 1u);
    document.Edit("Typing in Description", withDescription("Hall 23"), &box);
    EXPECT_EQ(document.UndoDepth(), 1u) << "no change, no step";

    document.EndBurst();
    document.Edit("Typing in Description", withDescription("Hall 234"), &box);
    TConfigRecord flag = withDescription("Hall 234");
    WriteFieldBit(flag, fieldNamed("options.blanking"), true);
    document.Edit("Blanking", flag, &otherBox);
    TConfigRecord typed = flag;
    WriteFieldText(typed, fieldNamed("description"), "Hall 2345");
    document.Edit("Typing in Description", typed, &box);
    EXPECT_EQ(document.UndoDepth(), 4u);

    const std::vector<std::pair<const char*, TConfigRecord>> back = {
        {"Typing in Description", flag},
        {"Blanking", withDescription("Hall 234")},
        {"Typing in Description", withDescription("Hall 23")},
        {"Typing in Description", file},
    };
    for (const auto& [name, after] : back) {
        EXPECT_EQ(document.UndoName(), name);
        document.Undo();
        EXPECT_EQ(document.Record(), after) << name;
    }
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.Modified());
}

// A new edit after Undo drops what could have been done again.
TEST_F(UnitDocumentTest, AnEditAfterUndoDropsTheRedo)
{
    document.Edit("Typing in Description", withDescription("Lobby"));
    document.Undo();
    EXPECT_EQ(document.RedoName(), "Typing in Description");
    document.Edit("Typing in Description", withDescription("Den"));
    EXPECT_FALSE(document.CanRedo());
}

// Clear is a step; while its blank shows nothing counts as changed and no
// file is named; Undo brings the file's unit back, measured against the
// file again.
TEST_F(UnitDocumentTest, ClearIsAStepMeasuredAgainstItsBlank)
{
    const TConfigRecord blank = withDescription("");
    document.Clear(blank);
    EXPECT_FALSE(document.Modified());
    EXPECT_FALSE(document.ShowsFile());
    EXPECT_EQ(document.FilePath(), "/card/HALL.CFG");
    document.Edit("Typing in Description", withDescription("New"));
    EXPECT_TRUE(document.Modified());

    document.Undo();
    document.Undo();
    EXPECT_EQ(document.UndoName(), "");
    EXPECT_EQ(document.Record(), file);
    EXPECT_TRUE(document.ShowsFile());
    EXPECT_FALSE(document.Modified());
}

// A save keeps the history: Undo past it leaves a unit that differs from
// the file again, also when the step undone was a Clear the save wrote.
TEST_F(UnitDocumentTest, UndoPastASaveDiffersFromTheFileAgain)
{
    document.Clear(withDescription(""));
    document.Edit("Typing in Description", withDescription("Lobby"));
    document.Saved(fileAt("/card/HALL.CFG", withDescription("Lobby")), withDescription("Lobby"));
    EXPECT_FALSE(document.Modified());
    EXPECT_TRUE(document.ShowsFile());

    document.Undo();
    EXPECT_EQ(document.Record(), withDescription(""));
    EXPECT_TRUE(document.Modified()) << "the file holds Lobby";
    EXPECT_TRUE(document.ShowsFile());
    document.Undo();
    EXPECT_EQ(document.Record(), file);
    EXPECT_TRUE(document.Modified()) << "the file holds Lobby, not Hall";
    document.Redo();
    document.Redo();
    EXPECT_FALSE(document.Modified());
}

// Opening starts a new history; the history keeps its last
// kHistoryLimit steps.
TEST_F(UnitDocumentTest, AnOpenStartsANewHistoryAndTheHistoryIsBounded)
{
    for (std::size_t i = 0; i < UnitDocument::kHistoryLimit + 5; ++i)
        document.Edit("Typing in Description", withDescription(std::to_string(i)));
    EXPECT_EQ(document.UndoDepth(), UnitDocument::kHistoryLimit);
    while (document.CanUndo())
        document.Undo();
    EXPECT_EQ(document.Record(), withDescription("4"));

    document.Opened(fileAt("/card/DEN.CFG", withDescription("Den"), true), withDescription("Den"));
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.CanRedo());
    EXPECT_TRUE(document.ReadOnly());
    EXPECT_EQ(document.FilePath(), "/card/DEN.CFG");
}

} // namespace
} // namespace ostra::test
