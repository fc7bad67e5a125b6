// The fill (record to controls) and the gather (controls to record). Both
// walk the same tables in the same order, so a field is bound in one place.
#include "ui/Unit1.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "config/ConfigLayout.h"
#include "ui/CheckListBox.h"
#include "ui/CodePage.h"
#include "ui/SingleByteEdit.h"
#include "ui/Unit1Tables.h"
#include "ui/VersionLabel.h"

namespace ostra {

using namespace unit1;

namespace {

// Removes the blank marker from the front of the description: the rest
// moves one place left and a space fills the last place.
void dropBlankMarker(TConfigRecord& record)
{
    auto* description = record.data() + layout::kDescriptionOffset;
    std::copy(description + 1, description + layout::kDescriptionWidth, description);
    description[layout::kDescriptionWidth - 1] = ' ';
}

void fillNamePanel(TForm1& form, const NamePanel& panel)
{
    for (int i = 0; i < 6; ++i) {
        const NameRow& row = panel.Rows[i];
        (form.*row.ShortName.Member)
            ->SetBytes(ReadConfigText(form.ConfigRecord, panel.ShortNameOffset(i + 1), layout::kShortNameWidth));
        (form.*row.FullName.Member)
            ->SetBytes(ReadConfigText(form.ConfigRecord, panel.FullNameOffset(i + 1), layout::kFullNameWidth));
    }
}

void gatherNamePanel(TForm1& form, const NamePanel& panel)
{
    for (int i = 0; i < 6; ++i) {
        const NameRow& row = panel.Rows[i];
        WriteConfigText(form.ConfigRecord, panel.ShortNameOffset(i + 1), layout::kShortNameWidth,
                        (form.*row.ShortName.Member)->Bytes());
        WriteConfigText(form.ConfigRecord, panel.FullNameOffset(i + 1), layout::kFullNameWidth,
                        (form.*row.FullName.Member)->Bytes());
    }
}

QString versionText(const TConfigRecord& record, int offset)
{
    return CodePage1252().Decode(ConfigVersionText(record, offset));
}

void fillVersionLabels(TForm1& form)
{
    SetVersionCaption(*form.Label27,
                      "Hardware Version: " + versionText(form.ConfigRecord, layout::kHardwareVersionOffset),
                      VersionLabelAnchor::Left);
    SetVersionCaption(*form.Label28,
                      "Software Version: " + versionText(form.ConfigRecord, layout::kSoftwareVersionOffset),
                      VersionLabelAnchor::Right);
}

void fillOptions(TForm1& form)
{
    // Checking one radio button unchecks the other.
    const bool professional = GetConfigBit(form.ConfigRecord, layout::kOptionFlagsOffset, layout::kProfessionalModeBit);
    (professional ? form.RadioButton2 : form.RadioButton1)->setChecked(true);
    for (const OptionBitSpec& option : kOptionBits)
        (form.*option.Box)->setChecked(GetConfigBit(form.ConfigRecord, layout::kOptionFlagsOffset, option.Bit));
}

void gatherOptions(TForm1& form)
{
    SetConfigBit(form.ConfigRecord, layout::kOptionFlagsOffset, layout::kProfessionalModeBit,
                 form.RadioButton2->isChecked());
    for (const OptionBitSpec& option : kOptionBits)
        SetConfigBit(form.ConfigRecord, layout::kOptionFlagsOffset, option.Bit, (form.*option.Box)->isChecked());
}

} // namespace

void TForm1::ConfigToForm()
{
    Edit1->SetBytes(ReadConfigText(ConfigRecord, layout::kDescriptionOffset, layout::kDescriptionWidth));
    fillNamePanel(*this, kSourcePanel);
    for (int k = 0; k < layout::kInstallerLineCount; ++k)
        (this->*kInstallerLines[k].Member)->SetBytes(ReadInstallerLine(ConfigRecord, k + 1));
    fillVersionLabels(*this);
    fillOptions(*this);
    fillNamePanel(*this, kZonePanel);
    for (int z = 1; z <= layout::kZoneCount; ++z)
        CheckListBox2->SetChecked(z - 1, GetConfigBit(ConfigRecord, layout::kZoneMainOutputOffset,
                                                      layout::zoneMainOutputBit(z)));
    // Selecting from code raises no click; the zone is read explicitly.
    ListBox1->SetItemIndex(0);
    ListBox1Click();
}

// Gathering keeps the blank marker in byte 0 only while the window holds
// exactly what Clear put there, so that cards can still be issued with
// blank files. Once anything was entered, the marker goes and the rest of
// the description moves one place left: a file with settings must never
// read as blank, or the next open would throw them away.
void TForm1::FormToConfig()
{
    gatherControls();
    if (ConfigRecord[layout::kBlankMarkerOffset] == layout::kBlankMarker && ConfigRecord != gatheredAfterClear_)
        dropBlankMarker(ConfigRecord);
}

TConfigRecord TForm1::gatheredCopy()
{
    const TConfigRecord kept = ConfigRecord;
    gatherControls();
    const TConfigRecord gathered = ConfigRecord;
    ConfigRecord = kept;
    return gathered;
}

void TForm1::gatherControls()
{
    StampSoftwareVersion(ConfigRecord);
    WriteConfigText(ConfigRecord, layout::kDescriptionOffset, layout::kDescriptionWidth, Edit1->Bytes());
    gatherNamePanel(*this, kSourcePanel);
    for (int k = 0; k < layout::kInstallerLineCount; ++k)
        WriteConfigText(ConfigRecord, layout::installerLineOffset(k + 1), layout::kInstallerLineWidth,
                        (this->*kInstallerLines[k].Member)->Bytes());
    gatherOptions(*this);
    gatherNamePanel(*this, kZonePanel);
    for (int z = 1; z <= layout::kZoneCount; ++z)
        SetConfigBit(ConfigRecord, layout::kZoneMainOutputOffset, layout::zoneMainOutputBit(z),
                     CheckListBox2->Checked(z - 1));
}

} // namespace ostra
