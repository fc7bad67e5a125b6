#pragma once

#include <vector>

#include <QString>

#include "config/ConfigLayout.h"

namespace ostra {

// The routing of a unit as a grid: one column per zone (0 to 5), one row
// per wallplate (0 to 35) and a last row for the main output. A window
// that edits a unit offers it to the Zone Overview, which shows and
// toggles the marks without knowing where they are kept.
class ZoneGrid {
public:
    static constexpr int kMainOutputRow = layout::kWallplateCount;
    static constexpr int kRowCount = kMainOutputRow + 1;
    static constexpr int kZoneCount = layout::kZoneCount;

    virtual ~ZoneGrid() = default;

    // The mark as the window holds it now, and as it was when the file
    // was last opened, saved or cleared.
    virtual bool Mark(int row, int zone) const = 0;
    virtual bool KeptMark(int row, int zone) const = 0;
    // A cell of the grid, by its row and zone.
    struct Cell {
        int Row;
        int Zone;
    };
    // Sets every cell given to marked, as one edit.
    virtual void SetMarks(const std::vector<Cell>& cells, bool marked) = 0;
    void SetMark(int row, int zone, bool marked) { SetMarks({{row, zone}}, marked); }
    // The zone's number and full name as the window shows it: "3 Kitchen".
    virtual QString ZoneHeading(int zone) const = 0;
};

} // namespace ostra
