// The zone assignment editor: the zone list and the wallplate marks.
#include <QTest>

#include "FormFixture.h"
#include "ui/main/ZoneEditor.h"

namespace ostra::test {
namespace {

class ZoneEditorTest : public FormFixture {
protected:
    std::vector<int> markedItems() const
    {
        std::vector<int> marked;
        for (int item = 0; item < 36; ++item)
            if (form->CheckListBox1->Checked(item))
                marked.push_back(item);
        return marked;
    }
    std::vector<unsigned char> bytes(int from, int to) const
    {
        return {form->ConfigRecord.begin() + from, form->ConfigRecord.begin() + to + 1};
    }
};

TEST(WallplateCaptions, RunFromA1ToF6WithTheirNumbers)
{
    const QStringList captions = WallplateCaptions();
    ASSERT_EQ(captions.size(), 36);
    const std::pair<int, const char*> samples[] = {{0, "A1 - 01"}, {5, "A6 - 06"}, {6, "B1 - 07"}, {7, "B2 - 08"},
                                                   {8, "B3 - 09"}, {9, "B4 - 10"}, {31, "F2 - 32"}, {35, "F6 - 36"}};
    for (const auto& [item, caption] : samples)
        EXPECT_EQ(captions[item], caption);
}

TEST_F(ZoneEditorTest, MarksBeforeAnyZoneIsSelectedReachNoZone)
{
    clickMark(form->CheckListBox1, 0);
    clickMark(form->CheckListBox1, 3);
    EXPECT_EQ(markedItems(), (std::vector<int>{0, 3}));
    EXPECT_EQ(form->ConfigRecord, TConfigRecord{});
    clickItem(form->ListBox1, 0);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    EXPECT_TRUE(markedItems().empty());
    EXPECT_EQ(form->ConfigRecord, TConfigRecord{});
}

TEST_F(ZoneEditorTest, SelectingZoneThreeShowsItsBits)
{
    const unsigned char zone3[] = {0x01, 0x00, 0x00, 0x80, 0x0F};
    std::copy(std::begin(zone3), std::end(zone3), form->ConfigRecord.begin() + 254);
    form->ConfigToForm();
    clickItem(form->ListBox1, 2);
    EXPECT_EQ(markedItems(), (std::vector<int>{0, 31, 32, 33, 34, 35}));
}

TEST_F(ZoneEditorTest, AClickRewritesTheZonesBitsAndNothingElse)
{
    for (int b = 236; b < 290; ++b)
        form->ConfigRecord[b] = static_cast<unsigned char>(b);
    form->ConfigRecord[249] = 0xF0;
    form->ConfigToForm();
    clickItem(form->ListBox1, 1);
    const TConfigRecord before = form->ConfigRecord;
    clickMark(form->CheckListBox1, 9); // B4 - 10: bit 1 of byte 246
    EXPECT_EQ(form->ConfigRecord[246], before[246] ^ 0x02);
    for (int b = 0; b < layout::kRecordSize; ++b) {
        if (b != 246) {
            EXPECT_EQ(form->ConfigRecord[b], before[b]) << b;
        }
    }
    EXPECT_EQ(form->ConfigRecord[249], 0xF0);

    // A click on a caption selects the item and leaves every mark and bit.
    const TConfigRecord afterMark = form->ConfigRecord;
    clickItem(form->CheckListBox1, 4);
    EXPECT_EQ(form->CheckListBox1->currentRow(), 4);
    EXPECT_EQ(form->ConfigRecord, afterMark);
}

TEST_F(ZoneEditorTest, EachZoneKeepsItsOwnMarks)
{
    form->ConfigToForm();
    clickMark(form->CheckListBox1, 35); // zone 1: F6
    clickItem(form->ListBox1, 3);
    EXPECT_TRUE(markedItems().empty());
    clickMark(form->CheckListBox1, 35); // zone 4: F6 too
    clickMark(form->CheckListBox1, 1);
    clickItem(form->ListBox1, 0);
    EXPECT_EQ(markedItems(), (std::vector<int>{35}));
    EXPECT_EQ(bytes(236, 244), (std::vector<unsigned char>{0, 0, 0, 0, 0x08, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(263, 271), (std::vector<unsigned char>{0x02, 0, 0, 0, 0x08, 0, 0, 0, 0}));
}

TEST_F(ZoneEditorTest, KeyboardTogglesAndMovesKeepMarksAndRecordTogether)
{
    form->ConfigRecord[281] = 0x01; // zone 6: A1
    form->ConfigToForm();
    form->ListBox1->setFocus();
    QTest::keyClick(form->ListBox1, Qt::Key_End);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 5);
    EXPECT_EQ(markedItems(), (std::vector<int>{0}));

    form->CheckListBox1->setCurrentRow(2);
    QTest::keyClick(form->CheckListBox1, Qt::Key_Space);
    EXPECT_EQ(markedItems(), (std::vector<int>{0, 2}));
    EXPECT_EQ(form->ConfigRecord[281], 0x05);
    QTest::keyClick(form->CheckListBox1, Qt::Key_Down);
    QTest::keyClick(form->CheckListBox1, Qt::Key_Space);
    EXPECT_EQ(form->ConfigRecord[281], 0x0D);
}

TEST_F(ZoneEditorTest, ZoneChangesLeaveTheMainOutputsAlone)
{
    form->ConfigRecord[410] = 0x21;
    form->ConfigRecord[245] = 0xFF;
    form->ConfigToForm();
    clickItem(form->ListBox1, 1);
    clickMark(form->CheckListBox1, 0);
    clickItem(form->ListBox1, 5);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(form->CheckListBox2->Checked(row), row == 0 || row == 5) << row;
    EXPECT_EQ(form->ConfigRecord[410], 0x21);
}

TEST_F(ZoneEditorTest, OpeningOrClearingSelectsZoneOneAgain)
{
    TConfigRecord record{};
    record[236] = 0x81; // zone 1: A1 and B2
    writeRecord(path("z.cfg"), record);
    form->ConfigToForm();
    clickItem(form->ListBox1, 4);
    openFromCard(path("z.cfg"));
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(markedItems(), (std::vector<int>{0, 7}));
    clickItem(form->ListBox1, 2);
    QTest::mouseClick(form->Button4, Qt::LeftButton);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    EXPECT_TRUE(markedItems().empty());
}

TEST_F(ZoneEditorTest, TheUserCannotLeaveTheZoneListWithoutASelection)
{
    form->ConfigToForm();
    const QRect item = form->ListBox1->visualItemRect(form->ListBox1->item(0));
    QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, Qt::ControlModifier, item.center());
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, form->ListBox1->viewport()->height() - 1));
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
}

} // namespace
} // namespace ostra::test
