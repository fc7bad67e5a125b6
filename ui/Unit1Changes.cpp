// Unsaved changes made visible: while the window holds edits since the
// last open, save or Clear, its title ends in an asterisk, each control
// whose value differs from the file carries a change mark, and Review
// Changes lists them with a way back for each.
#include "ui/Unit1.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFrame>
#include <QListWidgetItem>
#include <QRadioButton>

#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"
#include "ui/ChangeMarks.h"
#include "ui/CheckListBox.h"
#include "ui/FieldChanges.h"
#include "ui/KeyToolTips.h"
#include "ui/ListBox.h"
#include "ui/SingleByteEdit.h"
#include "ui/Unit1Fields.h"
#include "ui/Unit1Tables.h"
#include "ui/ZoneEditor.h"
#include "ui/ZoneOverview.h"

namespace ostra {

namespace {

// The wallplate fields, one per zone, in zone order.
std::vector<const ConfigField*> wallplateFields()
{
    std::vector<const ConfigField*> fields;
    for (const ConfigField& field : ConfigFields())
        if (field.Kind == FieldKind::Wallplates)
            fields.push_back(&field);
    return fields;
}

} // namespace

// Every signal by which the user changes a value, and the wallplate
// list's clicks once they reached the record.
void TForm1::trackChanges()
{
    for (auto* edit : findChildren<SingleByteEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &TForm1::noteEdited);
    for (QAbstractButton* box : {static_cast<QAbstractButton*>(RadioButton1), static_cast<QAbstractButton*>(RadioButton2),
                                 static_cast<QAbstractButton*>(CheckBox1), static_cast<QAbstractButton*>(CheckBox2),
                                 static_cast<QAbstractButton*>(CheckBox3), static_cast<QAbstractButton*>(CheckBox4)})
        connect(box, &QAbstractButton::toggled, this, &TForm1::noteEdited);
    connect(CheckListBox2, &QListWidget::itemChanged, this, &TForm1::noteEdited);
    connect(CheckListBox1, &ListBox::Click, this, &TForm1::noteEdited);
    connect(ListBox1, &ListBox::Click, this, &TForm1::noteEdited);
}

void TForm1::noteEdited()
{
    // Marking list items changes their data, which the lists report as
    // changes of their own.
    if (markingChanges_)
        return;
    markingChanges_ = true;
    const TConfigRecord now = gatheredCopy();
    showsChanges_ = now != keptRecord_;
    showTitleText(titleText_);
    markChangedControls(now);
    markingChanges_ = false;
    if (overview_ != nullptr)
        overview_->Refresh();
    if (review_ != nullptr && review_->isVisible())
        review_->Refresh();
}

QWidget* TForm1::controlShowing(const ConfigField& field)
{
    for (const unit1::ShownField& shown : unit1::ShownFields())
        if (shown.Field == &field)
            return findChild<QWidget*>(QString::fromLatin1(shown.Control));
    return nullptr;
}

void TForm1::markChangedControls(const TConfigRecord& now)
{
    for (const unit1::ShownField& shown : unit1::ShownFields()) {
        const ConfigField& field = *shown.Field;
        const bool changed = FieldChanged(keptRecord_, now, field);
        if (shown.Control == std::string_view(unit1::kMainOutputControl)) {
            SetChangeMark(*CheckListBox2->item(field.Index - 1), changed);
        } else if (field.Kind == FieldKind::ScreenMode) {
            SetChangeMark(*RadioButton1, changed);
            SetChangeMark(*RadioButton2, changed);
        } else if (field.Kind != FieldKind::Version) {
            SetChangeMark(*controlShowing(field), changed);
        }
    }
    for (const ConfigField* field : wallplateFields())
        SetChangeMark(*ListBox1->item(field->Index - 1), FieldChanged(keptRecord_, now, *field));
    const int zone = ListBox1->ItemIndex();
    for (int item = 0; item < layout::kWallplateCount; ++item)
        SetChangeMark(*CheckListBox1->item(item),
                      zone >= 0 && WallplateMark(keptRecord_, zone, item) != WallplateMark(now, zone, item));
}

// A setting's name as a screen reader says it: its control's accessible
// name, a check box's caption, a main output's item, the screen mode's
// group, a zone's wallplates.
QString TForm1::reviewName(const ConfigField& field)
{
    switch (field.Kind) {
    case FieldKind::Wallplates:
        return QStringLiteral("Zone %1 wallplates").arg(field.Index);
    case FieldKind::ScreenMode:
        return Bevel7->accessibleName();
    default:
        break;
    }
    QWidget* control = controlShowing(field);
    if (control == CheckListBox2)
        return CheckListBox2->item(field.Index - 1)->data(Qt::AccessibleTextRole).toString();
    if (!control->accessibleName().isEmpty())
        return control->accessibleName();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return CaptionWithoutMnemonicMarker(button->text());
    return QString::fromStdString(field.Label);
}

std::vector<ReviewRow> TForm1::reviewRows()
{
    const TConfigRecord now = gatheredCopy();
    std::vector<ReviewRow> rows;
    for (const ConfigField& field : ConfigFields())
        if (FieldChanged(keptRecord_, now, field))
            rows.push_back({reviewName(field),
                            field.Kind == FieldKind::Wallplates
                                ? WallplateChangeText(keptRecord_, now, field.Index)
                                : QString(),
                            FieldValueText(keptRecord_, field), FieldValueText(now, field),
                            [this, &field] { revertField(field); }});
    return rows;
}

// The file's value back in its control, or the file's wallplate bits back
// in the record, exactly as they were kept.
void TForm1::revertField(const ConfigField& field)
{
    if (field.Kind == FieldKind::Wallplates) {
        const int zone = field.Index - 1;
        for (int item = 0; item < layout::kWallplateCount; ++item)
            SetWallplateMark(ConfigRecord, zone, item, WallplateMark(keptRecord_, zone, item));
        ListBox1Click();
    } else {
        for (const FieldBinding& binding : fieldBindings_)
            if (binding.Field == &field)
                binding.Fill(keptRecord_);
    }
    noteEdited();
}

void TForm1::ShowReviewChanges(QWidget* askedFrom)
{
    if (review_ == nullptr)
        review_ = std::make_unique<ReviewChanges>([this] { return reviewRows(); }, editorCommands());
    QWidget* owner = askedFrom != nullptr ? askedFrom->window() : this;
    review_->ShowBeside(*this, owner == this ? nullptr : owner);
}

} // namespace ostra
