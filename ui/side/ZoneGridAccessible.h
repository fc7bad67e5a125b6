#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QItemSelectionModel>

namespace ostra {

class ZoneGridView;

// The Zone Overview's grid as screen readers meet it: a table whose mark
// cells are checkable, say whether they are marked, and offer one action,
// Toggle, which marks or unmarks; whose count cells (the Zones column and
// the Marks row) offer none; and whose cells name their row and column
// headers. The toolkit's own table interface offers a Toggle on every
// cell that selects or deselects it, which reads as a mark's toggle that
// does nothing.
//
// Children are numbered as the toolkit's item views number them in their
// focus and selection events: row by row, the header row first and each
// row's header first in its row, the corner first of all.
class ZoneGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ZoneGridAccessible(ZoneGridView* view);
    ~ZoneGridAccessible() override;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    ZoneGridView* view() const;
    // The child number of a cell (row and column from 0; -1 for a header).
    int childIndex(int row, int column) const;

private:
    QAccessibleInterface* childAtIndex(int index) const;
    bool selectLine(int row, int column, QItemSelectionModel::SelectionFlags how);
    void forgetChildren();

    mutable QHash<int, QAccessible::Id> children_;
};

} // namespace ostra
