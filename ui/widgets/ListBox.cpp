#include "ui/widgets/ListBox.h"

#include <QMouseEvent>

#include "ui/widgets/FixedHeightDelegate.h"

namespace ostra {

ListBox::ListBox(QWidget* parent, int itemHeight) : QListWidget(parent), itemHeight_(itemHeight)
{
    setItemDelegate(new FixedHeightDelegate(itemHeight_, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

int ListBox::ItemIndex() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void ListBox::SetItemIndex(int row)
{
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void ListBox::NoteUserChange()
{
    if (userEventDepth_ > 0)
        userChanged_ = true;
}

// Runs one input event; when it changed the selection (or a subclass noted
// a change) Click is raised once, after the list has settled.
template <typename Handler> void ListBox::handleUserEvent(Handler&& handler)
{
    ++userEventDepth_;
    handler();
    --userEventDepth_;
    if (userEventDepth_ == 0 && userChanged_) {
        userChanged_ = false;
        emit Click();
    }
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    handleUserEvent([&] { QListWidget::mousePressEvent(event); });
}

void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    handleUserEvent([&] { QListWidget::mouseMoveEvent(event); });
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    handleUserEvent([&] {
        QListWidget::mouseReleaseEvent(event);
        // A click on an item counts even when it selects nothing new.
        if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
            NoteUserChange();
    });
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    handleUserEvent([&] { QListWidget::mouseDoubleClickEvent(event); });
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    handleUserEvent([&] { QListWidget::keyPressEvent(event); });
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListWidget::selectionChanged(selected, deselected);
    NoteUserChange();
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const
{
    // No empty-area click or Ctrl+click may leave the list without a
    // selection; an item can only be replaced by another.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

} // namespace ostra
