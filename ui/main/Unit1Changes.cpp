// Unsaved changes made visible: while the window holds edits since the
// last open, save or Clear, its title ends in an asterisk, each control
// whose value differs from the file carries a change mark, and Review
// Changes lists them with a way back for each.
#include "ui/main/Unit1.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QListWidgetItem>
#include <QRadioButton>

#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"
#include "ui/widgets/ChangeMarks.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/FieldChanges.h"
#include "ui/widgets/KeyToolTips.h"
#include "ui/widgets/ListBox.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1Fields.h"
#include "ui/main/Unit1Tables.h"
#include "ui/side/ZoneOverview.h"

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
// list's clicks once they reached the record. Leaving a box ends its burst
// of typing: typing there again is a step of its own.
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
    connect(ListBox1, &ListBox::Click, this, &TForm1::showDocument);
    connect(qApp, &QApplication::focusChanged, this, [this] { document_.EndBurst(); });
}

void TForm1::noteEdited()
{
    // Marking list items changes their data, which the lists report as
    // changes of their own; the program setting controls is no edit.
    if (markingChanges_ || filling_)
        return;
    const TConfigRecord before = document_.Record();
    const TConfigRecord after = editedCopy();
    if (after == before)
        return;
    // Typing continues a burst in the box that has the focus.
    const void* burst = qobject_cast<SingleByteEdit*>(focusWidget()) != nullptr ? focusWidget() : nullptr;
    document_.Edit(stepName(before, after).toStdString(), after, burst);
    showDocument();
}

void TForm1::showDocument()
{
    if (markingChanges_)
        return;
    markingChanges_ = true;
    showTitleText(titleText_);
    markChangedControls(document_.Record());
    markingChanges_ = false;
    if (overview_ != nullptr)
        overview_->Refresh();
    if (review_ != nullptr && review_->isVisible())
        review_->Refresh();
    updateHistoryActions();
}

// The record takes the document's unit, and every control shows it.
void TForm1::fillFromDocument()
{
    ConfigRecord = document_.Record();
    filling_ = true;
    for (const FieldBinding& binding : fieldBindings_)
        binding.Fill(ConfigRecord);
    ListBox1Click();
    filling_ = false;
}

// "Typing in Description" for a text, the setting's name for any other
// single change ("Blanking", "Zone 2 wallplates"), "Zone Overview marks"
// for marks of several zones or outputs set at once.
QString TForm1::stepName(const TConfigRecord& before, const TConfigRecord& after)
{
    std::vector<const ConfigField*> changed;
    for (const ConfigField& field : ConfigFields())
        if (FieldChanged(before, after, field))
            changed.push_back(&field);
    if (changed.size() != 1)
        return QStringLiteral("Zone Overview marks");
    const ConfigField& field = *changed.front();
    const bool typed = field.Kind == FieldKind::Text || field.Kind == FieldKind::InstallerLine;
    return typed ? QStringLiteral("Typing in ") + reviewName(field) : reviewName(field);
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
        const bool changed = FieldChanged(document_.Baseline(), now, field);
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
        SetChangeMark(*ListBox1->item(field->Index - 1), FieldChanged(document_.Baseline(), now, *field));
    const int zone = ListBox1->ItemIndex();
    for (int item = 0; item < layout::kWallplateCount; ++item)
        SetChangeMark(*CheckListBox1->item(item),
                      zone >= 0 && ZoneFeedsWallplate(document_.Baseline(), zone + 1, item + 1) !=
                                       ZoneFeedsWallplate(now, zone + 1, item + 1));
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
    const TConfigRecord& kept = reviewAgainst_ ? *reviewAgainst_ : document_.Baseline();
    const TConfigRecord& now = document_.Record();
    std::vector<ReviewRow> rows;
    for (const ConfigField* field : fieldsChangedFrom(kept))
        rows.push_back({reviewName(*field),
                        field->Kind == FieldKind::Wallplates ? WallplateChangeText(kept, now, field->Index) : QString(),
                        FieldValueText(kept, *field), FieldValueText(now, *field),
                        [this, field] { revertField(*field); }});
    return rows;
}

std::vector<const ConfigField*> TForm1::fieldsChangedFrom(const TConfigRecord& kept) const
{
    std::vector<const ConfigField*> changed;
    for (const ConfigField& field : ConfigFields())
        if (FieldChanged(kept, document_.Record(), field))
            changed.push_back(&field);
    return changed;
}

// The file's value back, exactly as it was kept, as one step.
void TForm1::revertField(const ConfigField& field)
{
    const TConfigRecord& kept = reviewAgainst_ ? *reviewAgainst_ : document_.Baseline();
    document_.Edit(("Revert " + reviewName(field)).toStdString(), WithFieldFrom(document_.Record(), kept, field));
    fillFromDocument();
    showDocument();
}

void TForm1::revertAll()
{
    const TConfigRecord& kept = reviewAgainst_ ? *reviewAgainst_ : document_.Baseline();
    TConfigRecord reverted = document_.Record();
    for (const ConfigField* field : fieldsChangedFrom(kept))
        reverted = WithFieldFrom(reverted, kept, *field);
    document_.Edit("Revert All", reverted);
    fillFromDocument();
    showDocument();
}

void TForm1::ShowReviewChanges(QWidget* askedFrom, const TConfigRecord& against)
{
    ShowReviewChanges(askedFrom);
    reviewAgainst_ = against;
    review_->Refresh();
}

void TForm1::ShowReviewChanges(QWidget* askedFrom)
{
    reviewAgainst_.reset();
    if (review_ == nullptr)
        review_ = std::make_unique<ReviewChanges>([this] { return reviewRows(); }, [this] { revertAll(); },
                                                  editorCommands());
    QWidget* owner = askedFrom != nullptr ? askedFrom->window() : this;
    review_->ShowBeside(*this, owner == this ? nullptr : owner);
}

} // namespace ostra
