// Unsaved edits are kept or given up on purpose: Close, Advanced Load and
// Clear ask first when the window differs from what was opened, saved or
// cleared, and Save, Discard or Cancel each lead where they say.
#include <QTest>

#include "FormFixture.h"

namespace ostra::test {
namespace {

enum class Action { Close, AdvancedLoad, Clear };

struct PromptCase {
    const char* What;
    Action Act;
    bool Edited;
    SaveChoice Answer;
    bool Saved;    // the file holds the edit afterwards
    bool WentOn;   // the action took place
};

const PromptCase kPrompts[] = {
    {"close, unedited", Action::Close, false, SaveChoice::Cancel, false, true},
    {"close, save", Action::Close, true, SaveChoice::Save, true, true},
    {"close, discard", Action::Close, true, SaveChoice::Discard, false, true},
    {"close, cancel", Action::Close, true, SaveChoice::Cancel, false, false},
    {"advanced load, unedited", Action::AdvancedLoad, false, SaveChoice::Cancel, false, true},
    {"advanced load, save", Action::AdvancedLoad, true, SaveChoice::Save, true, true},
    {"advanced load, discard", Action::AdvancedLoad, true, SaveChoice::Discard, false, true},
    {"advanced load, cancel", Action::AdvancedLoad, true, SaveChoice::Cancel, false, false},
    {"clear, unedited", Action::Clear, false, SaveChoice::Cancel, false, true},
    {"clear, save", Action::Clear, true, SaveChoice::Save, true, true},
    {"clear, discard", Action::Clear, true, SaveChoice::Discard, false, true},
    {"clear, cancel", Action::Clear, true, SaveChoice::Cancel, false, false},
};

class UnsavedEditsTest : public FormFixture {
protected:
    std::string descriptionIn(const char* file)
    {
        const std::vector<unsigned char> bytes = readFile(path(file));
        return {bytes.begin(), bytes.begin() + 6};
    }
};

TEST_F(UnsavedEditsTest, EachActionAsksOnlyAfterAnEditAndFollowsTheAnswer)
{
    for (const PromptCase& row : kPrompts) {
        SCOPED_TRACE(row.What);
        TConfigRecord record = sampleRecord();
        putText(record, 0, "Stored");
        writeRecord(path("unit.cfg"), record);
        writeRecord(path("other.cfg"), sampleRecord());
        form->show();
        form->CheckBox5->setChecked(row.Act == Action::AdvancedLoad);
        openFromCard(path("unit.cfg"));
        if (row.Edited) {
            form->Edit1->selectAll();
            typeText(form->Edit1, "Edited");
        }
        boxes.Questions.clear();
        boxes.Answers = {row.Answer};
        dialogs.Replies.clear();
        if (row.Act == Action::AdvancedLoad) {
            if (row.Answer == SaveChoice::Save)
                dialogs.Replies.push_back(path("unit.cfg")); // Advanced Save, as the Save command in this mode
            dialogs.Replies.push_back(path("other.cfg"));
        }

        bool wentOn = false;
        switch (row.Act) {
        case Action::Close:
            wentOn = form->close();
            EXPECT_EQ(form->isVisible(), !wentOn);
            break;
        case Action::AdvancedLoad:
            QTest::mouseClick(form->Button2, Qt::LeftButton);
            wentOn = form->CurrentFilePath == pathBytes("other.cfg");
            break;
        case Action::Clear:
            QTest::mouseClick(form->Button4, Qt::LeftButton);
            wentOn = form->Edit1->text().trimmed().isEmpty();
            break;
        }

        ASSERT_EQ(boxes.Questions.size(), row.Edited ? 1u : 0u);
        if (row.Edited) {
            EXPECT_EQ(boxes.Questions.front().Text, "Save changes to unit.cfg?");
            EXPECT_EQ(boxes.Questions.front().Owner, form.get());
        }
        EXPECT_EQ(wentOn, row.WentOn);
        EXPECT_EQ(descriptionIn("unit.cfg"), row.Saved ? "Edited" : "Stored");
        if (!row.WentOn) {
            EXPECT_EQ(form->Edit1->text().left(6), "Edited") << "cancel leaves the edit in place";
        }
        EXPECT_TRUE(boxes.Boxes.empty());
    }
}

// Without a file to save to, Save goes through the Advanced Save dialog;
// cancelling that dialog cancels the whole action.
TEST_F(UnsavedEditsTest, SavingSettingsWithoutAFileAsksForOneAndItsCancelStopsTheAction)
{
    typeText(form->Edit1, "New unit");
    boxes.Answers = {SaveChoice::Save, SaveChoice::Save};
    dialogs.Replies = {std::nullopt};
    QTest::mouseClick(form->Button4, Qt::LeftButton);
    ASSERT_EQ(boxes.Questions.size(), 1u);
    EXPECT_EQ(boxes.Questions.back().Text, "Save changes to the unsaved settings?");
    ASSERT_EQ(dialogs.Requests.size(), 1u);
    EXPECT_EQ(dialogs.Requests.back().Title, "Advanced Save");
    EXPECT_TRUE(form->Edit1->text().startsWith("New unit")) << "not cleared";

    dialogs.Replies = {path("new.cfg")};
    QTest::mouseClick(form->Button4, Qt::LeftButton);
    EXPECT_TRUE(form->Edit1->text().trimmed().isEmpty());
    EXPECT_EQ(descriptionIn("new.cfg"), "New un");
}

// An edit undone by hand is no edit.
TEST_F(UnsavedEditsTest, AnEditUndoneByHandAsksNothing)
{
    writeRecord(path("unit.cfg"), sampleRecord());
    openFromCard(path("unit.cfg"));
    clickMark(form->CheckListBox1, 3);
    clickMark(form->CheckListBox1, 3);
    const QString text = form->Edit2->text();
    form->Edit2->selectAll();
    typeText(form->Edit2, "X");
    form->Edit2->selectAll();
    typeText(form->Edit2, text);
    QTest::mouseClick(form->Button4, Qt::LeftButton);
    EXPECT_TRUE(boxes.Questions.empty());
}

// A save over a longer file keeps what lies after the record.
TEST_F(UnsavedEditsTest, SavingOverALongerFileKeepsItsTail)
{
    std::vector<unsigned char> bytes(3000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7);
    writeFile(path("long.bin"), bytes);
    form->CheckBox5->setChecked(true);
    dialogs.Replies = {path("long.bin"), path("long.bin")};
    QTest::mouseClick(form->Button2, Qt::LeftButton);
    ASSERT_TRUE(boxes.Boxes.empty());
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    const std::vector<unsigned char> saved = readFile(path("long.bin"));
    ASSERT_EQ(saved.size(), bytes.size());
    EXPECT_TRUE(std::equal(saved.begin() + layout::kRecordSize, saved.end(), bytes.begin() + layout::kRecordSize));
}

} // namespace
} // namespace ostra::test
