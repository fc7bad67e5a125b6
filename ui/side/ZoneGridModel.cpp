#include "ui/side/ZoneGridModel.h"

#include "config/ConfigFields.h"
#include "ui/widgets/FieldChanges.h"

namespace ostra {

namespace {

const char* const kCountRowHeading = "Marks";
const char* const kCountColumnHeading = "Zones";

QString rowHeading(int row)
{
    if (row == ZoneGridModel::kCountRow)
        return QString::fromLatin1(kCountRowHeading);
    if (row == ZoneGrid::kMainOutputRow)
        return QString::fromLatin1(kZoneMainOutput.Label);
    return QString::fromStdString(WallplateCaption(row + 1));
}

// What a screen reader hears after a mark cell's name and its checked
// state. The toolkit's bridge cannot say that a cell is checkable, so an
// unmarked cell would say nothing at all; it says "not marked".
QString markDescription(bool marked, bool unchanged)
{
    if (!unchanged)
        return marked ? QStringLiteral("added") : QStringLiteral("not marked, removed");
    return marked ? QString() : QStringLiteral("not marked");
}

} // namespace

ZoneGridModel::ZoneGridModel(ZoneGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int ZoneGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kCountRow + 1;
}

int ZoneGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kCountColumn + 1;
}

bool ZoneGridModel::IsMark(const QModelIndex& index)
{
    return index.isValid() && index.row() < kCountRow && index.column() < kCountColumn;
}

int ZoneGridModel::marksInZone(int zone) const
{
    int marks = 0;
    for (int row = 0; row < ZoneGrid::kRowCount; ++row)
        marks += grid_.Mark(row, zone) ? 1 : 0;
    return marks;
}

int ZoneGridModel::zonesOfRow(int row) const
{
    int zones = 0;
    for (int zone = 0; zone < ZoneGrid::kZoneCount; ++zone)
        zones += grid_.Mark(row, zone) ? 1 : 0;
    return zones;
}

QString ZoneGridModel::cellName(const QModelIndex& index) const
{
    const QString row = rowHeading(index.row());
    if (index.column() == kCountColumn)
        return QStringLiteral("%1, zones: %2").arg(row).arg(zonesOfRow(index.row()));
    const QString zone = QStringLiteral("zone ") + grid_.ZoneHeading(index.column());
    if (index.row() == kCountRow)
        return QStringLiteral("Marks of %1: %2").arg(zone).arg(marksInZone(index.column()));
    return row + QStringLiteral(", ") + zone;
}

QVariant ZoneGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int zone = index.column();
    if (!IsMark(index)) {
        if (role == Qt::DisplayRole)
            return row == kCountRow && zone == kCountColumn
                       ? QVariant()
                       : QVariant(row == kCountRow ? marksInZone(zone) : zonesOfRow(row));
        if (role == Qt::AccessibleTextRole)
            return row == kCountRow && zone == kCountColumn ? QVariant() : QVariant(cellName(index));
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    const bool marked = grid_.Mark(row, zone);
    const QString sign = MarkChangeSign(grid_.KeptMark(row, zone), marked);
    switch (role) {
    case Qt::CheckStateRole:
        return marked ? Qt::Checked : Qt::Unchecked;
    case Qt::DisplayRole:
        return sign;
    case Qt::AccessibleTextRole:
        return cellName(index);
    case Qt::AccessibleDescriptionRole:
        return markDescription(marked, sign.isEmpty());
    case Qt::ToolTipRole:
        return cellName(index);
    default:
        return {};
    }
}

QVariant ZoneGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical)
        return rowHeading(section);
    if (section == kCountColumn)
        return QString::fromLatin1(kCountColumnHeading);
    return grid_.ZoneHeading(section);
}

Qt::ItemFlags ZoneGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The corner where the counts meet shows nothing; it is passed over.
    if (index.row() == kCountRow && index.column() == kCountColumn)
        return Qt::ItemIsEnabled;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return IsMark(index) ? flags | Qt::ItemIsUserCheckable : flags;
}

bool ZoneGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !IsMark(index))
        return false;
    grid_.SetMark(index.row(), index.column(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

void ZoneGridModel::Toggle(const QModelIndex& index)
{
    if (IsMark(index))
        setData(index, grid_.Mark(index.row(), index.column()) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

void ZoneGridModel::ToggleLike(const QModelIndex& current, const QModelIndexList& cells)
{
    if (!IsMark(current))
        return;
    std::vector<ZoneGrid::Cell> marks;
    for (const QModelIndex& cell : cells)
        if (IsMark(cell))
            marks.push_back({cell.row(), cell.column()});
    grid_.SetMarks(marks, !grid_.Mark(current.row(), current.column()));
}

void ZoneGridModel::Refresh()
{
    emit headerDataChanged(Qt::Horizontal, 0, kCountColumn);
    emit dataChanged(index(0, 0), index(kCountRow, kCountColumn));
}

} // namespace ostra
