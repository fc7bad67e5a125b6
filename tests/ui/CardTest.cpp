// The card in the slot: a save over the file the window shows asks when
// the file is no longer the one opened (changed since, or another card at
// the same place), a card taken out keeps the edits and says so, a file
// changed on disk is read again when nothing is unsaved, and a file
// dropped on the window opens.
#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "FormFixture.h"
#include "platform/FileVolume.h"
#include "ui/side/ReviewChanges.h"

namespace ostra::test {
namespace {

constexpr dev_t kCardA = 0x811, kCardB = 0x812;

// A unit whose description is text and zone 1's name "Kitchen", padded as
// a save pads them.
TConfigRecord described(const std::string& text)
{
    TConfigRecord record = sampleRecord();
    putText(record, 0, text + std::string(32 - text.size(), ' '));
    putText(record, layout::zoneFullNameOffset(1), "Kitchen      ");
    return record;
}

class CardTest : public FormFixture {
protected:
    // Brings the window to the front from behind another, as a click on it
    // after working elsewhere does.
    void bringToFront()
    {
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void SetUp() override
    {
        card = path("card");
        QDir().mkpath(card);
        unit = card + "/UNIT.CFG";
        writeRecord(unit, described("Hall"));
        files.pretendVolumes(kVolumesByUuid, {{"AAAA-1111", kCardA}, {"BBBB-2222", kCardB}});
        files.pretendDevice(card.toStdString(), kCardA);
        openFromCard(unit);
        form->Edit1->SetBytes("Edited");
    }

    std::string savedDescription() { return std::string(reinterpret_cast<const char*>(readFile(unit).data()), 6); }

    QString card;
    QString unit;
};

enum class Situation { Unchanged, ChangedBytes, AnotherCard, FileGone, FolderGone, CardTakenOut };

struct SaveCase {
    const char* What;
    Situation Then;
    bool Asks;
};

const SaveCase kSituations[] = {
    {"unchanged", Situation::Unchanged, false},
    {"changed bytes", Situation::ChangedBytes, true},
    {"another card, the same bytes", Situation::AnotherCard, true},
    {"file gone", Situation::FileGone, false},
    {"folder gone", Situation::FolderGone, false},
    {"card taken out", Situation::CardTakenOut, false},
};

TEST_F(CardTest, ASaveOverAFileThatIsNoLongerTheOneOpenedAsksFirst)
{
    for (const SaveCase& situation : kSituations)
        for (const SaveChoice answer : {SaveChoice::Save, SaveChoice::Review, SaveChoice::Cancel}) {
            SCOPED_TRACE(std::string(situation.What) + ", answer " + std::to_string(int(answer)));
            SetUp();
            boxes.Questions.clear();
            boxes.Boxes.clear();
            boxes.Answers = {answer};
            const TConfigRecord other = described("Den");
            switch (situation.Then) {
            case Situation::Unchanged:
                break;
            case Situation::ChangedBytes: {
                // A text ended by a NUL reads as the window's padded one.
                TConfigRecord nulEnded = other;
                putText(nulEnded, layout::zoneFullNameOffset(1), std::string("Kitchen\0xyzab", 13));
                writeRecord(unit, nulEnded);
                break;
            }
            case Situation::AnotherCard:
                files.pretendDevice(card.toStdString(), kCardB);
                break;
            case Situation::FileGone:
                QFile::remove(unit);
                break;
            case Situation::FolderGone:
                QDir(card).removeRecursively();
                break;
            case Situation::CardTakenOut:
                // Its mount point may stay behind, empty.
                QFile::remove(unit);
                files.pretendVolumes(kVolumesByUuid, {{"BBBB-2222", kCardB}});
                break;
            }
            const std::vector<unsigned char> before = readFile(unit);

            form->Button1Click();

            ASSERT_EQ(boxes.Questions.size(), situation.Asks ? 1u : 0u);
            const bool failed = situation.Then == Situation::FolderGone || situation.Then == Situation::CardTakenOut;
            const bool written = situation.Asks ? answer == SaveChoice::Save : !failed;
            if (situation.Asks) {
                EXPECT_TRUE(boxes.Questions.front().Text.startsWith("UNIT.CFG is not the file that was opened: it has changed since "))
                    << boxes.Questions.front().Text.toStdString();
            }
            if (written) {
                EXPECT_EQ(savedDescription(), "Edited");
                EXPECT_TRUE(form->windowTitle().startsWith("Saved: "));
            } else {
                EXPECT_EQ(readFile(unit), before);
                EXPECT_TRUE(form->windowTitle().endsWith("*")) << "the edits stay";
                EXPECT_EQ(form->Edit1->text().trimmed(), "Edited");
            }
            // Review shows how the window differs from the file now on the card.
            const bool reviewed = situation.Asks && answer == SaveChoice::Review;
            EXPECT_EQ(form->Review() != nullptr && form->Review()->isVisible(), reviewed);
            if (reviewed && situation.Then == Situation::ChangedBytes) {
                ASSERT_EQ(form->Review()->RowCount(), 1) << "the description alone";
                EXPECT_EQ(form->Review()->RowTexts(0).mid(1), (QStringList{"Den", "Edited"}));
            }
            // The error keeps its text; only a card taken out is named so.
            ASSERT_EQ(boxes.Boxes.size(), failed ? 1u : 0u);
            if (failed) {
                EXPECT_EQ(boxes.Boxes.front().Text, "Invalid filename");
                EXPECT_EQ(boxes.Boxes.front().Detail.contains("taken out. The settings are still in this window"),
                          situation.Then == Situation::CardTakenOut)
                    << boxes.Boxes.front().Detail.toStdString();
            }
            if (form->Review() != nullptr)
                form->Review()->close();
        }
}

// Coming to the front, the window reads its file again when it changed on
// disk and nothing is unsaved; with unsaved edits, or with the file gone,
// it changes nothing.
TEST_F(CardTest, AFileChangedOnDiskIsReadAgainWhenNothingIsUnsaved)
{
    const TConfigRecord other = described("Den");
    for (const bool unsaved : {true, false}) {
        SCOPED_TRACE(unsaved ? "unsaved edits" : "nothing unsaved");
        writeRecord(unit, described("Hall"));
        openFromCard(unit);
        if (unsaved)
            form->Edit1->SetBytes("Edited");
        writeRecord(unit, other);
        const QString title = form->windowTitle();
        ASSERT_NO_FATAL_FAILURE(bringToFront());
        if (unsaved) {
            EXPECT_EQ(form->windowTitle(), title);
            EXPECT_EQ(form->Edit1->text().trimmed(), "Edited");
        } else {
            EXPECT_EQ(form->windowTitle(), "Reloaded: " + unit);
            EXPECT_EQ(form->Edit1->text().trimmed(), "Den");
            form->Timer1Timer();
            EXPECT_EQ(form->windowTitle(), "Currently Editing: " + unit);
        }
    }
    QFile::remove(unit);
    ASSERT_NO_FATAL_FAILURE(bringToFront());
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + unit);
}

// A drop of one configuration file opens it as Advanced Load does; several
// files or a folder are refused while they are dragged.
TEST_F(CardTest, OneFileDroppedOnTheWindowOpens)
{
    const TConfigRecord other = described("Den");
    writeRecord(path("den.cfg"), other);
    writeRecord(path("other.cfg"), other);
    const struct {
        const char* What;
        QStringList Files;
        bool Accepted;
    } drags[] = {
        {"several files", {path("den.cfg"), path("other.cfg")}, false},
        {"a folder", {card}, false},
        {"one file", {path("den.cfg")}, true},
    };
    boxes.Answers = {SaveChoice::Discard};
    for (const auto& drag : drags) {
        SCOPED_TRACE(drag.What);
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : drag.Files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), drag.Accepted);
        // Over a text box the files pass on to the window, which decides;
        // the box takes none of them as text.
        QDragEnterEvent overBox(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->Edit1, &overBox);
        EXPECT_EQ(overBox.isAccepted(), drag.Accepted);
        if (!drag.Accepted)
            continue;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        EXPECT_EQ(form->CurrentFilePath, path("den.cfg").toStdString());
        EXPECT_EQ(form->Edit1->text().trimmed(), "Den");
        ASSERT_EQ(boxes.Questions.size(), 1u) << "the unsaved edits were asked about first";
    }
}

} // namespace
} // namespace ostra::test
