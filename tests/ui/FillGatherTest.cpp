// The fill (record to controls) and the gather (controls to record).
#include <random>

#include <QRadioButton>

#include "FormFixture.h"

namespace ostra::test {
namespace {

struct TextField {
    const char* Edit;
    int Offset;
    int Width;
};

// Every edit box bound to a text field, with the field's bytes.
const TextField kTextFields[] = {
    {"Edit1", 0, 32},    {"Edit2", 32, 4},    {"Edit3", 56, 13},   {"Edit4", 36, 4},    {"Edit5", 69, 13},
    {"Edit6", 40, 4},    {"Edit7", 82, 13},   {"Edit8", 44, 4},    {"Edit9", 95, 13},   {"Edit10", 48, 4},
    {"Edit11", 108, 13}, {"Edit12", 52, 4},   {"Edit13", 121, 13}, {"Edit18", 134, 4},  {"Edit19", 158, 13},
    {"Edit20", 138, 4},  {"Edit21", 171, 13}, {"Edit22", 142, 4},  {"Edit23", 184, 13}, {"Edit24", 146, 4},
    {"Edit25", 197, 13}, {"Edit26", 150, 4},  {"Edit27", 210, 13}, {"Edit28", 154, 4},  {"Edit29", 223, 13},
    {"Edit14", 290, 30}, {"Edit15", 320, 30}, {"Edit16", 350, 30}, {"Edit17", 380, 30},
};

struct BitControl {
    const char* Control;
    int Row; // item of a check list, or -1 for a check box or radio button
    int Offset;
    int Bit;
};

const BitControl kBitControls[] = {
    {"RadioButton2", -1, 411, 2}, {"CheckBox1", -1, 411, 3},    {"CheckBox2", -1, 411, 4},
    {"CheckBox3", -1, 411, 5},    {"CheckBox4", -1, 411, 6},    {"CheckListBox2", 0, 410, 0},
    {"CheckListBox2", 1, 410, 1}, {"CheckListBox2", 2, 410, 2}, {"CheckListBox2", 3, 410, 3},
    {"CheckListBox2", 4, 410, 4}, {"CheckListBox2", 5, 410, 5},
};

class FillGatherTest : public FormFixture {
protected:
    SingleByteEdit* edit(const char* name) const { return form->findChild<SingleByteEdit*>(name); }

    bool controlChecked(const BitControl& control) const
    {
        if (control.Row >= 0)
            return form->CheckListBox2->Checked(control.Row);
        return form->findChild<QAbstractButton*>(control.Control)->isChecked();
    }

    void setControl(const BitControl& control, bool checked) const
    {
        if (control.Row >= 0)
            form->CheckListBox2->SetChecked(control.Row, checked);
        else if (control.Bit == 2)
            (checked ? form->RadioButton2 : form->RadioButton1)->setChecked(true);
        else
            form->findChild<QAbstractButton*>(control.Control)->setChecked(checked);
    }
};

TEST_F(FillGatherTest, EveryTextFieldFillsItsBoxAndGathersBackPadded)
{
    TConfigRecord record{};
    for (std::size_t i = 0; i < std::size(kTextFields); ++i) {
        const TextField& field = kTextFields[i];
        // Full width, every byte marked with the field it belongs to.
        for (int b = 0; b < field.Width; ++b)
            record[field.Offset + b] = static_cast<unsigned char>('A' + i % 26);
        record[field.Offset + field.Width - 1] = static_cast<unsigned char>(0x80 + i);
    }
    form->ConfigRecord = record;
    form->ConfigToForm();
    for (const TextField& field : kTextFields) {
        const std::string stored(reinterpret_cast<const char*>(record.data()) + field.Offset, field.Width);
        EXPECT_EQ(edit(field.Edit)->Bytes(), stored) << field.Edit;
        edit(field.Edit)->SetBytes(std::string(field.Edit).substr(0, field.Width));
    }
    form->FormToConfig();
    for (const TextField& field : kTextFields) {
        std::string expected = std::string(field.Edit).substr(0, field.Width);
        expected.resize(field.Width, ' ');
        const std::string written(reinterpret_cast<const char*>(form->ConfigRecord.data()) + field.Offset, field.Width);
        EXPECT_EQ(written, expected) << field.Edit;
    }
}

TEST_F(FillGatherTest, EveryBitShowsInItsOwnControlAndCarriedBitsStay)
{
    for (const BitControl& control : kBitControls) {
        SCOPED_TRACE(std::string(control.Control) + " " + std::to_string(control.Row));
        form->ConfigRecord = TConfigRecord{};
        form->ConfigRecord[control.Offset] = static_cast<unsigned char>(1 << control.Bit);
        form->ConfigToForm();
        for (const BitControl& other : kBitControls)
            EXPECT_EQ(controlChecked(other), &other == &control) << other.Control << other.Row;

        // Gather with every other control checked, over carried bits
        // both clear and set: only this control's bit is clear.
        for (const BitControl& other : kBitControls)
            setControl(other, true);
        setControl(control, false);
        for (unsigned char start : {0x00, 0xFF}) {
            form->ConfigRecord[410] = start;
            form->ConfigRecord[411] = start;
            form->FormToConfig();
            const int ownBit = 1 << control.Bit;
            const int expected410 = (start & 0xC0) | (0x3F & ~(control.Offset == 410 ? ownBit : 0));
            const int expected411 = (start & 0x83) | (0x7C & ~(control.Offset == 411 ? ownBit : 0));
            EXPECT_EQ(form->ConfigRecord[410], expected410);
            EXPECT_EQ(form->ConfigRecord[411], expected411);
        }
    }
}

TEST_F(FillGatherTest, OptionByteWithCarriedBitsSavesAsReadOrWithProfessional)
{
    form->ConfigRecord[411] = 0x83;
    form->ConfigToForm();
    form->FormToConfig();
    EXPECT_EQ(form->ConfigRecord[411], 0x83);
    form->RadioButton2->setChecked(true);
    EXPECT_FALSE(form->RadioButton1->isChecked());
    form->FormToConfig();
    EXPECT_EQ(form->ConfigRecord[411], 0x87);
}

// What a fill followed by a gather must leave: text fields cut at their
// first NUL and padded with spaces (the installer lines as one text), the
// software version stamped, no blank marker, every other byte as it was.
TConfigRecord afterFillAndGather(TConfigRecord record)
{
    auto padFromNul = [&](int offset, int width) {
        bool cut = false;
        for (int b = offset; b < offset + width; ++b) {
            cut = cut || record[b] == 0;
            if (cut)
                record[b] = ' ';
        }
    };
    for (const TextField& field : kTextFields)
        if (field.Offset < 290)
            padFromNul(field.Offset, field.Width);
    padFromNul(290, 120);
    putText(record, 420, " 101");
    // A description that starts with the blank marker loses it, since the
    // window holds settings that Clear did not put there.
    if (record[0] == 0xFF) {
        std::rotate(record.begin(), record.begin() + 1, record.begin() + 32);
        record[31] = ' ';
    }
    return record;
}

TEST_F(FillGatherTest, RandomRecordsSurviveFillAndGatherByteForByte)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> rarity(0, 24);
    for (int round = 0; round < 300; ++round) {
        TConfigRecord record{};
        // Mostly non-zero bytes, with NULs often enough to end texts early.
        for (auto& value : record)
            value = static_cast<unsigned char>(rarity(random) == 0 ? 0 : byte(random));
        form->ConfigRecord = record;
        form->ConfigToForm();
        form->FormToConfig();
        const TConfigRecord expected = afterFillAndGather(record);
        for (int offset = 0; offset < layout::kRecordSize; ++offset)
            ASSERT_EQ(form->ConfigRecord[offset], expected[offset]) << "round " << round << ", byte " << offset;
    }
}

TEST_F(FillGatherTest, AllZeroRecordShowsEmptyBoxesAndLoneFullStops)
{
    form->ConfigRecord = sampleRecord();
    form->ConfigRecord[411] = 0x7C;
    form->ConfigRecord[410] = 0x3F;
    form->ConfigToForm();
    form->ConfigRecord = TConfigRecord{};
    form->ConfigToForm();
    for (const TextField& field : kTextFields)
        EXPECT_TRUE(edit(field.Edit)->text().isEmpty()) << field.Edit;
    EXPECT_TRUE(form->RadioButton1->isChecked());
    for (const BitControl& control : kBitControls)
        EXPECT_FALSE(controlChecked(control)) << control.Control << control.Row;
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(form->Label27->text(), "Hardware Version: .");
    EXPECT_EQ(form->Label28->text(), "Software Version: .");
    EXPECT_EQ(form->Label28->geometry().right() + 1, 273);
}

TEST_F(FillGatherTest, VersionLabelsShowMajorFullStopMinor)
{
    StampSoftwareVersion(form->ConfigRecord);
    putText(form->ConfigRecord, 416, std::string("1\0" "08", 4));
    form->ConfigToForm();
    EXPECT_EQ(form->Label27->text(), "Hardware Version: 1.08");
    EXPECT_EQ(form->Label28->text(), "Software Version:  1.01");
}

TEST_F(FillGatherTest, InstallerLinesEndAtTheFirstNulOfAllFour)
{
    TConfigRecord record = sampleRecord();
    record[300] = 0;
    form->ConfigRecord = record;
    form->ConfigToForm();
    EXPECT_EQ(form->Edit14->Bytes().size(), 10u);
    EXPECT_TRUE(form->Edit15->text().isEmpty());
    EXPECT_TRUE(form->Edit17->text().isEmpty());
    record[290] = 0;
    form->ConfigRecord = record;
    form->ConfigToForm();
    for (auto* line : {form->Edit14, form->Edit15, form->Edit16, form->Edit17})
        EXPECT_TRUE(line->text().isEmpty());
}

} // namespace
} // namespace ostra::test
