// Unsaved edits are kept or given up on purpose: Close, Advanced Load and
// Clear ask first when the window differs from what was opened, saved or
// cleared, and Save, Discard or Cancel each lead where they say.
#include <deque>

#include <QFile>
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

        // Advanced Save over the opened file asks before replacing it.
        const bool replaces = row.Act == Action::AdvancedLoad && row.Answer == SaveChoice::Save;
        ASSERT_EQ(boxes.Questions.size(), row.Edited ? (replaces ? 2u : 1u) : 0u);
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

// The questions a save asks before it writes, in their order: save the
// changes (before Clear here), shorten a longer file, replace an existing
// one. Each question's Cancel or No stops the whole action and writes
// nothing; Save with no file open asks where to save and keeps that file.
enum class SaveBy { PlainSave, SaveWithNoFile, AdvancedSave, ClearWithEdits };
enum class Target { Longer, Existing, New };

struct QuestionCase {
    const char* What;
    SaveBy By;
    Target File;
    std::deque<SaveChoice> Answers;
    std::vector<const char*> Asked; // the questions, by a word of each
    bool Written;
};

const QuestionCase kQuestions[] = {
    {"plain save over a longer file, save", SaveBy::PlainSave, Target::Longer, {SaveChoice::Save}, {"cuts the file to 2048 bytes"}, true},
    {"plain save over a longer file, cancel", SaveBy::PlainSave, Target::Longer, {SaveChoice::Cancel}, {"cuts the file to 2048 bytes"}, false},
    {"plain save over a record-long file", SaveBy::PlainSave, Target::Existing, {}, {}, true},
    {"no file open, a new name", SaveBy::SaveWithNoFile, Target::New, {}, {}, true},
    {"no file open, an existing name, no", SaveBy::SaveWithNoFile, Target::Existing, {SaveChoice::Cancel}, {"already exists"}, false},
    {"advanced save over a longer file, both yes", SaveBy::AdvancedSave, Target::Longer, {SaveChoice::Save, SaveChoice::Save},
     {"cuts the file to 2048 bytes", "already exists"}, true},
    {"advanced save over a longer file, then no", SaveBy::AdvancedSave, Target::Longer, {SaveChoice::Save, SaveChoice::Cancel},
     {"cuts the file to 2048 bytes", "already exists"}, false},
    {"clear over edits, all yes", SaveBy::ClearWithEdits, Target::Longer, {SaveChoice::Save, SaveChoice::Save, SaveChoice::Save},
     {"Save changes", "cuts the file to 2048 bytes", "already exists"}, true},
    {"clear over edits, no at the last", SaveBy::ClearWithEdits, Target::Longer,
     {SaveChoice::Save, SaveChoice::Save, SaveChoice::Cancel}, {"Save changes", "cuts the file to 2048 bytes", "already exists"}, false},
};

TEST_F(UnsavedEditsTest, SaveQuestionsComeInOrderAndEachCancelWritesNothing)
{
    std::vector<unsigned char> longer(3000);
    for (std::size_t i = 0; i < longer.size(); ++i)
        longer[i] = static_cast<unsigned char>('a' + i % 26);
    for (const QuestionCase& row : kQuestions) {
        SCOPED_TRACE(row.What);
        form = std::make_unique<TForm1>(files, dialogs, boxes, shell);
        const QString target = path(row.What);
        const std::vector<unsigned char> before =
            row.File == Target::Longer ? longer : std::vector<unsigned char>(layout::kRecordSize, 'x');
        QFile::remove(target);
        if (row.File != Target::New)
            writeFile(target, before);
        if (row.By == SaveBy::PlainSave)
            openFromCard(target);
        form->CheckBox5->setChecked(row.By == SaveBy::AdvancedSave);
        form->Edit1->selectAll();
        typeText(form->Edit1, "Edited");
        boxes.Questions.clear();
        boxes.Answers = row.Answers;
        dialogs.Replies = {target};

        QTest::mouseClick(row.By == SaveBy::ClearWithEdits ? form->Button4 : form->Button1, Qt::LeftButton);

        ASSERT_EQ(boxes.Questions.size(), row.Asked.size());
        for (std::size_t i = 0; i < row.Asked.size(); ++i) {
            EXPECT_TRUE(boxes.Questions[i].Text.contains(row.Asked[i])) << boxes.Questions[i].Text.toStdString();
            EXPECT_EQ(boxes.Questions[i].Owner, form.get());
        }
        const std::vector<unsigned char> after = readFile(target);
        if (row.Written) {
            ASSERT_EQ(after.size(), std::size_t(layout::kRecordSize));
            EXPECT_EQ(std::string(after.begin(), after.begin() + 6), "Edited");
        } else {
            EXPECT_EQ(after, row.File == Target::New ? std::vector<unsigned char>{} : before);
            EXPECT_TRUE(form->Edit1->text().startsWith("Edited")) << "nothing cleared";
            EXPECT_EQ(form->windowTitle().startsWith("Saved: "), false);
        }
        if (row.By == SaveBy::SaveWithNoFile || row.By == SaveBy::ClearWithEdits) {
            EXPECT_EQ(form->CurrentFilePath, row.Written ? target.toStdString() : std::string());
        }
        EXPECT_TRUE(boxes.Boxes.empty());
    }
}

// No to the replace question goes back to the save dialog with the name
// chosen in it; a new name there is saved, Cancel there writes nothing.
TEST_F(UnsavedEditsTest, NoToReplacingGoesBackToTheDialogWithTheNameKept)
{
    const std::vector<unsigned char> existing(layout::kRecordSize, 'x');
    writeFile(path("taken.cfg"), existing);
    form->CheckBox5->setChecked(true);
    form->Edit1->SetBytes("Edited");
    for (const bool cancelAfterNo : {false, true}) {
        SCOPED_TRACE(cancelAfterNo ? "then Cancel" : "then another name");
        dialogs.Requests.clear();
        QFile::remove(path("other.cfg"));
        boxes.Answers = {SaveChoice::Cancel};
        dialogs.Replies = {path("taken.cfg")};
        dialogs.Replies.push_back(cancelAfterNo ? std::optional<QString>() : std::optional<QString>(path("other.cfg")));

        QTest::mouseClick(form->Button1, Qt::LeftButton);

        ASSERT_EQ(dialogs.Requests.size(), 2u);
        EXPECT_EQ(dialogs.Requests[1].FileName, path("taken.cfg"));
        EXPECT_EQ(readFile(path("taken.cfg")), existing);
        EXPECT_EQ(QFile::exists(path("other.cfg")), !cancelAfterNo);
    }
}

} // namespace
} // namespace ostra::test
