#pragma once

#include <QListWidget>

namespace ostra {

// A single-selection list whose Click signal reports only what the user
// did: a mouse click on an item, or a selection moved by mouse or
// keyboard. Selecting from code (SetItemIndex) raises nothing. Once an item
// is selected the user cannot return the list to having none.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    ListBox(QWidget* parent, int itemHeight);

    // The selected row, or -1 when nothing is selected.
    int ItemIndex() const;
    void SetItemIndex(int row);
    int ItemHeight() const { return itemHeight_; }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

    // Marks the user event being handled as one that raises Click.
    void NoteUserChange();

private:
    template <typename Handler> void handleUserEvent(Handler&& handler);

    int itemHeight_;
    int userEventDepth_ = 0;
    bool userChanged_ = false;
};

} // namespace ostra
