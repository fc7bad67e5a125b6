#pragma once

#include <QAbstractTableModel>

#include "ui/side/ZoneGrid.h"

namespace ostra {

// The Zone Overview's table: the grid's marks with a last row that counts
// each zone's marks and a last column that counts each row's zones.
// Headers read "3 Kitchen" over a zone and "A1 - 01" or "Main" beside a
// row. A mark cell is checkable; its text is the sign of its change since
// the file ("+" or "−"), and screen readers hear it as "A1 - 01, zone 3
// Kitchen", described "added" or "removed".
class ZoneGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kCountRow = ZoneGrid::kRowCount;
    static constexpr int kCountColumn = ZoneGrid::kZoneCount;

    explicit ZoneGridModel(ZoneGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Whether the cell is one of the grid's marks (not a count).
    static bool IsMark(const QModelIndex& index);
    // Toggles a mark cell; does nothing to a count.
    void Toggle(const QModelIndex& index);
    // Sets every mark cell among cells to the opposite of current's mark,
    // as one edit; counts among them are left alone.
    void ToggleLike(const QModelIndex& current, const QModelIndexList& cells);
    // Everything may have changed: marks, counts and zone names.
    void Refresh();

private:
    int marksInZone(int zone) const;
    int zonesOfRow(int row) const;
    QString cellName(const QModelIndex& index) const;

    ZoneGrid& grid_;
};

} // namespace ostra
