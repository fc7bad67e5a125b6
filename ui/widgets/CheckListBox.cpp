#include "ui/widgets/CheckListBox.h"

#include <QSignalBlocker>

#include "ui/widgets/FixedHeightDelegate.h"

namespace ostra {

namespace {

// The delegate is where Qt turns the user's mouse release on a mark box or
// space bar into a toggle; it is never involved when code sets a mark.
class UserToggleDelegate final : public FixedHeightDelegate {
public:
    explicit UserToggleDelegate(CheckListBox* list)
        : FixedHeightDelegate(list->ItemHeight(), list), list_(list)
    {
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        const QVariant before = index.data(Qt::CheckStateRole);
        const bool handled = FixedHeightDelegate::editorEvent(event, model, option, index);
        if (handled && index.data(Qt::CheckStateRole) != before)
            list_->NoteUserToggle();
        return handled;
    }

private:
    CheckListBox* list_;
};

} // namespace

CheckListBox::CheckListBox(QWidget* parent, int itemHeight) : ListBox(parent, itemHeight)
{
    QAbstractItemDelegate* plain = itemDelegate();
    setItemDelegate(new UserToggleDelegate(this));
    delete plain;
}

void CheckListBox::SetItems(const QStringList& captions)
{
    const QSignalBlocker blocker(this);
    clear();
    // Each item is complete before it joins the list, which then reports
    // one insertion rather than three changes per item.
    for (const QString& caption : captions) {
        auto* item = new QListWidgetItem(caption);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        addItem(item);
    }
}

bool CheckListBox::Checked(int row) const
{
    const QListWidgetItem* found = item(row);
    return found != nullptr && found->checkState() == Qt::Checked;
}

void CheckListBox::SetChecked(int row, bool checked)
{
    if (QListWidgetItem* found = item(row))
        found->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace ostra
