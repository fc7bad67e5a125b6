#pragma once

#include <functional>

#include <QString>
#include <QTableView>
#include <QWidget>

#include "ui/widgets/EditorKeys.h"
#include "ui/widgets/KeyToolTips.h"
#include "ui/side/ZoneGrid.h"

class QPushButton;

namespace ostra {

class ZoneGridModel;

// The grid's table. A click on a mark cell (without Shift or Ctrl, which
// select as usual) or Space toggles it; Space, or a click with Ctrl on a
// selected cell, sets every selected cell to the opposite of the current
// one's mark; the arrows, Home/End and Page Up/Down move; Ctrl+C copies.
// Screen readers meet it through ZoneGridAccessible.
class ZoneGridView final : public QTableView {
    Q_OBJECT
public:
    explicit ZoneGridView(QWidget* parent);

    // The selected cells, or the whole grid when fewer than two are
    // selected, as tab-separated lines with the row and column headings.
    QString SelectionAsText() const;
    void CopySelection() const;
    // The size that shows every row and column without scrolling.
    QSize FullSize() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void toggle(const QModelIndex& index);
    // Sets the selected cells, or current alone when it lies outside the
    // selection, to the opposite of current's mark, as one edit.
    void toggleSelection(const QModelIndex& current);
};

// The window "Zone Overview": every zone's wallplates and main output at
// once, edited in place. It is its own window, neither modal nor kept
// above the editor, and shows the grid as the editor holds it whenever
// Refresh is called.
class ZoneOverview final : public QWidget {
    Q_OBJECT
public:
    // What the window's buttons, keys and context menu run besides the
    // grid: the review of all unsaved changes and the print of the unit,
    // each on a button, and the rest of the editor's commands on their
    // keys. Esc closes the window, as its Close button does.
    ZoneOverview(ZoneGrid& grid, const EditorCommands& commands);

    // Shows the window beside anchor, where it fits the screen; raises it
    // when it shows already.
    void ShowBeside(const QWidget& anchor);
    void Refresh();
    // The window's size that shows the whole grid without scrolling.
    QSize WholeSize();
    ZoneGridView& View() { return *view_; }
    QPushButton& ReviewButton() { return *review_; }
    QPushButton& PrintButton() { return *print_; }
    QPushButton& CloseButton() { return *close_; }

private:
    ZoneGridModel* model_;
    ZoneGridView* view_;
    QPushButton* review_;
    QPushButton* print_;
    QPushButton* close_;
    KeyToolTips keyToolTips_;
};

} // namespace ostra
