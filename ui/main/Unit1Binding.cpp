// The fill (record to controls) and the gather (controls to record). Both
// walk the bindings made from the record's field table, so a field is
// placed in one place and the two cannot drift apart.
#include "ui/main/Unit1.h"

#include <algorithm>
#include <stdexcept>

#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>

#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/CodePage.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1Fields.h"
#include "ui/widgets/VersionLabel.h"

namespace ostra {

namespace {

// Removes the blank marker from the front of the description: the rest
// moves one place left and a space fills the last place.
void dropBlankMarker(TConfigRecord& record)
{
    auto* description = record.data() + layout::kDescriptionOffset;
    std::copy(description + 1, description + layout::kDescriptionWidth, description);
    description[layout::kDescriptionWidth - 1] = ' ';
}

template <typename Control> Control& controlAs(QWidget& control, const ConfigField& field)
{
    auto* typed = qobject_cast<Control*>(&control);
    if (typed == nullptr)
        throw std::logic_error(control.objectName().toStdString() + " cannot show " + field.Key);
    return *typed;
}

// A flag shows in a check box of its own, or as the item of its zone in a
// check list (the main outputs).
FieldBinding bindFlag(const ConfigField& field, QWidget& control)
{
    if (auto* list = qobject_cast<CheckListBox*>(&control)) {
        const int item = field.Index - 1;
        return {nullptr, [&field, list, item](const TConfigRecord& record) {
                    list->SetChecked(item, ReadFieldBit(record, field));
                },
                [&field, list, item](TConfigRecord& record) { WriteFieldBit(record, field, list->Checked(item)); }};
    }
    auto& box = controlAs<QAbstractButton>(control, field);
    return {nullptr, [&field, &box](const TConfigRecord& record) { box.setChecked(ReadFieldBit(record, field)); },
            [&field, &box](TConfigRecord& record) { WriteFieldBit(record, field, box.isChecked()); }};
}

// The screen mode's control is the Professional button; checking either
// button of the pair unchecks the other, so Residential is checked as such.
FieldBinding bindScreenMode(const ConfigField& field, QWidget& control, QRadioButton& residential)
{
    auto& professional = controlAs<QRadioButton>(control, field);
    return {nullptr, [&field, &professional, &residential](const TConfigRecord& record) {
                (ReadFieldBit(record, field) ? professional : residential).setChecked(true);
            },
            [&field, &professional](TConfigRecord& record) {
                WriteFieldBit(record, field, professional.isChecked());
            }};
}

// "Hardware Version:  1.02", kept beside the edge the label is aligned to.
FieldBinding bindVersion(const ConfigField& field, QWidget& control)
{
    auto& label = controlAs<QLabel>(control, field);
    const VersionLabelAnchor anchor =
        label.alignment() & Qt::AlignRight ? VersionLabelAnchor::Right : VersionLabelAnchor::Left;
    return {nullptr, [&field, &label, anchor](const TConfigRecord& record) {
                const QString version = QString::fromStdString(VersionAsShown(record, field));
                SetVersionCaption(label, unit1::VersionCaption(field, version), anchor);
            },
            {}};
}

FieldBinding bindText(const ConfigField& field, QWidget& control)
{
    auto& edit = controlAs<SingleByteEdit>(control, field);
    return {nullptr, [&field, &edit](const TConfigRecord& record) { edit.SetBytes(ReadFieldText(record, field)); },
            [&field, &edit](TConfigRecord& record) { WriteFieldText(record, field, edit.Bytes()); }};
}

} // namespace

// Every field but the wallplates, which the zone editor shows one zone at a
// time (ui/Unit1Zones.cpp), is bound to the control the window's tables
// name for it.
void TForm1::bindFields()
{
    for (const unit1::ShownField& shown : unit1::ShownFields()) {
        const ConfigField& field = *shown.Field;
        auto* control = findChild<QWidget*>(QString::fromLatin1(shown.Control));
        if (control == nullptr)
            throw std::logic_error(std::string("no control ") + shown.Control + " shows " + field.Key);
        FieldBinding binding;
        switch (field.Kind) {
        case FieldKind::Text:
        case FieldKind::InstallerLine:
            binding = bindText(field, *control);
            break;
        case FieldKind::Flag:
            binding = bindFlag(field, *control);
            break;
        case FieldKind::ScreenMode:
            binding = bindScreenMode(field, *control, *RadioButton1);
            break;
        case FieldKind::Version:
            binding = bindVersion(field, *control);
            break;
        case FieldKind::Wallplates:
            continue;
        }
        binding.Field = &field;
        fieldBindings_.push_back(std::move(binding));
    }
}

void TForm1::ConfigToForm()
{
    for (const FieldBinding& binding : fieldBindings_)
        binding.Fill(ConfigRecord);
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
    ConfigRecord = recordAsSaved();
}

TConfigRecord TForm1::recordAsSaved()
{
    TConfigRecord record = gatheredCopy();
    if (record[layout::kBlankMarkerOffset] == layout::kBlankMarker && editedCopy() != document_.ClearedBlank())
        dropBlankMarker(record);
    return record;
}

TConfigRecord TForm1::gatheredCopy()
{
    TConfigRecord record = editedCopy();
    StampSoftwareVersion(record);
    return record;
}

// The record as the controls hold it, the software version as the window
// shows it: what the document keeps of each step, so that Undo shows the
// version it showed then.
TConfigRecord TForm1::editedCopy()
{
    TConfigRecord record = ConfigRecord;
    for (const FieldBinding& binding : fieldBindings_)
        if (binding.Gather)
            binding.Gather(record);
    return record;
}

} // namespace ostra
