#include "ui/side/ZoneGridAccessible.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QWindow>

#include "ui/side/ZoneGridModel.h"
#include "ui/side/ZoneOverview.h"

namespace ostra {

namespace {

constexpr int kHeader = -1; // the row or column of the headers
const char* const kRowHeadersHeading = "Wallplates";

// One child of the grid's table: a cell (row and column from 0), a row's
// or a column's header (the other coordinate kHeader), or the corner
// (both kHeader). Everything it says is read from the view when asked.
class GridChildAccessible final : public QAccessibleInterface,
                                  public QAccessibleTableCellInterface,
                                  public QAccessibleActionInterface {
public:
    GridChildAccessible(ZoneGridView* view, int row, int column) : view_(view), row_(row), column_(column) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_->window()->windowHandle(); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}

    QString text(QAccessible::Text t) const override
    {
        if (isCell()) {
            const QModelIndex cell = index();
            if (t == QAccessible::Name)
                return cell.data(Qt::AccessibleTextRole).toString();
            if (t == QAccessible::Description)
                return cell.data(Qt::AccessibleDescriptionRole).toString();
            return {};
        }
        if (t != QAccessible::Name)
            return {};
        // The corner heads the column of row headers.
        if (row_ == kHeader && column_ == kHeader)
            return QString::fromLatin1(kRowHeadersHeading);
        return row_ == kHeader ? view_->model()->headerData(column_, Qt::Horizontal, Qt::AccessibleTextRole).toString()
                               : view_->model()->headerData(row_, Qt::Vertical, Qt::AccessibleTextRole).toString();
    }

    QAccessible::Role role() const override
    {
        if (isCell())
            return QAccessible::Cell;
        if (row_ == kHeader && column_ == kHeader)
            return QAccessible::Pane;
        return row_ == kHeader ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }

    QRect rect() const override
    {
        if (isCell()) {
            const QRect shown = view_->visualRect(index());
            return QRect(view_->viewport()->mapToGlobal(shown.topLeft()), shown.size());
        }
        const QHeaderView* columns = view_->horizontalHeader();
        const QHeaderView* rows = view_->verticalHeader();
        if (row_ == kHeader && column_ == kHeader)
            return QRect(view_->mapToGlobal(QPoint(view_->frameWidth(), view_->frameWidth())),
                         QSize(rows->width(), columns->height()));
        if (row_ == kHeader)
            return QRect(columns->viewport()->mapToGlobal(QPoint(columns->sectionViewportPosition(column_), 0)),
                         QSize(columns->sectionSize(column_), columns->height()));
        return QRect(rows->viewport()->mapToGlobal(QPoint(0, rows->sectionViewportPosition(row_))),
                     QSize(rows->width(), rows->sectionSize(row_)));
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isCell())
            return state;
        const QModelIndex cell = index();
        if (cell.flags().testFlag(Qt::ItemIsSelectable)) {
            state.selectable = true;
            state.focusable = true;
            state.multiSelectable = true;
            state.extSelectable = true;
            state.selected = isSelected();
            state.focused = view_->hasFocus() && view_->currentIndex() == cell;
        }
        state.invisible = !view_->viewport()->rect().intersects(view_->visualRect(cell));
        if (ZoneGridModel::IsMark(cell)) {
            state.checkable = true;
            state.checked = cell.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        }
        return state;
    }

    // Only a mark cell is acted on; the counts and headers offer nothing.
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && isCell())
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface && isCell() && ZoneGridModel::IsMark(index()))
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return view_->selectionModel()->isSelected(index()); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {grid()->child(grid()->childIndex(kHeader, column_))}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {grid()->child(grid()->childIndex(row_, kHeader))}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override { return {toggleAction()}; }
    QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }
    void doAction(const QString& actionName) override
    {
        if (actionName != toggleAction())
            return;
        if (auto* model = qobject_cast<ZoneGridModel*>(view_->model()))
            model->Toggle(index());
    }

private:
    bool isCell() const { return row_ != kHeader && column_ != kHeader; }
    QModelIndex index() const { return view_->model()->index(row_, column_); }
    ZoneGridAccessible* grid() const { return static_cast<ZoneGridAccessible*>(parent()); }

    QPointer<ZoneGridView> view_;
    int row_;
    int column_;
};

} // namespace

ZoneGridAccessible::ZoneGridAccessible(ZoneGridView* view) : QAccessibleWidget(view, QAccessible::Table) {}

ZoneGridAccessible::~ZoneGridAccessible()
{
    forgetChildren();
}

ZoneGridView* ZoneGridAccessible::view() const
{
    return static_cast<ZoneGridView*>(widget());
}

void* ZoneGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int ZoneGridAccessible::columnCount() const
{
    return view()->model()->columnCount();
}

int ZoneGridAccessible::rowCount() const
{
    return view()->model()->rowCount();
}

int ZoneGridAccessible::childCount() const
{
    return (rowCount() + 1) * (columnCount() + 1);
}

int ZoneGridAccessible::childIndex(int row, int column) const
{
    return (row + 1) * (columnCount() + 1) + column + 1;
}

QAccessibleInterface* ZoneGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return childAtIndex(index);
}

QAccessibleInterface* ZoneGridAccessible::childAtIndex(int index) const
{
    if (const auto known = children_.constFind(index); known != children_.cend())
        return QAccessible::accessibleInterface(*known);
    const int columns = columnCount() + 1;
    auto* made = new GridChildAccessible(view(), index / columns - 1, index % columns - 1);
    children_.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

int ZoneGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr)
        return -1;
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    for (auto known = children_.cbegin(); known != children_.cend(); ++known)
        if (known.value() == id)
            return known.key();
    return -1;
}

QAccessibleInterface* ZoneGridAccessible::childAt(int x, int y) const
{
    const QPoint inViewport = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex cell = view()->indexAt(inViewport);
    if (!cell.isValid())
        return nullptr;
    return child(childIndex(cell.row(), cell.column()));
}

QAccessibleInterface* ZoneGridAccessible::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    if (!view()->hasFocus() || !current.isValid())
        return nullptr;
    return child(childIndex(current.row(), current.column()));
}

QString ZoneGridAccessible::columnDescription(int column) const
{
    return view()->model()->headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
}

QString ZoneGridAccessible::rowDescription(int row) const
{
    return view()->model()->headerData(row, Qt::Vertical, Qt::AccessibleTextRole).toString();
}

QAccessibleInterface* ZoneGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return child(childIndex(row, column));
}

int ZoneGridAccessible::selectedCellCount() const
{
    return static_cast<int>(view()->selectionModel()->selectedIndexes().size());
}

QList<QAccessibleInterface*> ZoneGridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (const QModelIndex& cell : view()->selectionModel()->selectedIndexes())
        cells << child(childIndex(cell.row(), cell.column()));
    return cells;
}

int ZoneGridAccessible::selectedColumnCount() const
{
    return static_cast<int>(selectedColumns().size());
}

int ZoneGridAccessible::selectedRowCount() const
{
    return static_cast<int>(selectedRows().size());
}

QList<int> ZoneGridAccessible::selectedColumns() const
{
    QList<int> columns;
    for (const QModelIndex& column : view()->selectionModel()->selectedColumns())
        columns << column.column();
    return columns;
}

QList<int> ZoneGridAccessible::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& row : view()->selectionModel()->selectedRows())
        rows << row.row();
    return rows;
}

bool ZoneGridAccessible::isColumnSelected(int column) const
{
    return view()->selectionModel()->isColumnSelected(column);
}

bool ZoneGridAccessible::isRowSelected(int row) const
{
    return view()->selectionModel()->isRowSelected(row);
}

// A whole row or column selected or deselected, from its first cell.
bool ZoneGridAccessible::selectLine(int row, int column, QItemSelectionModel::SelectionFlags how)
{
    view()->selectionModel()->select(view()->model()->index(row, column), how);
    return true;
}

bool ZoneGridAccessible::selectRow(int row)
{
    return selectLine(row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool ZoneGridAccessible::selectColumn(int column)
{
    return selectLine(0, column, QItemSelectionModel::Select | QItemSelectionModel::Columns);
}

bool ZoneGridAccessible::unselectRow(int row)
{
    return selectLine(row, 0, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

bool ZoneGridAccessible::unselectColumn(int column)
{
    return selectLine(0, column, QItemSelectionModel::Deselect | QItemSelectionModel::Columns);
}

// The grid's shape never changes; its cells read their data when asked,
// so a change of data needs nothing here.
void ZoneGridAccessible::modelChange(QAccessibleTableModelChangeEvent* event)
{
    if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset)
        forgetChildren();
}

void ZoneGridAccessible::forgetChildren()
{
    for (const QAccessible::Id id : std::as_const(children_))
        QAccessible::deleteAccessibleInterface(id);
    children_.clear();
}

} // namespace ostra
