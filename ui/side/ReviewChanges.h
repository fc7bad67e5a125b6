#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/widgets/EditorKeys.h"
#include "ui/widgets/KeyToolTips.h"

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;

namespace ostra {

// One setting that differs from the file: its name as a screen reader
// says it (and names its Revert button by), what changed where a value
// alone does not say it (a zone's wallplates: "+C1 −A2"), its value in
// the file and in the window, and how to put the file's value back.
struct ReviewRow {
    QString Name;
    QString Detail;
    QString FileValue;
    QString WindowValue;
    std::function<void()> Revert;
};

// The window "Review Changes": every unsaved change as a row of the
// setting, its two values and a Revert button named for the setting
// ("Revert Description"), and Revert All. The rows are plain labels and
// buttons rather than a table's cells, so that a screen reader meets each
// Revert as a button it can press. Its rows come from the editor whenever
// Refresh is called; the editor's keys work here too, and Esc closes it.
class ReviewChanges final : public QWidget {
    Q_OBJECT
public:
    // rows lists the changes whenever asked; revertAll takes them all back
    // as one step.
    ReviewChanges(std::function<std::vector<ReviewRow>()> rows, std::function<void()> revertAll,
                  const EditorCommands& commands);

    // Shows the window beside anchor, where it fits the screen; raises it
    // when it shows already. With an owner, the window is that window's
    // (the window manager keeps it above its owner); without, its own.
    void ShowBeside(const QWidget& anchor, QWidget* owner = nullptr);
    void Refresh();

    int RowCount() const { return static_cast<int>(revertButtons_.size()); }
    // The setting, the file's value and the window's value of a row.
    QStringList RowTexts(int row) const;
    QPushButton& RevertButton(int row) { return *revertButtons_.at(static_cast<std::size_t>(row)); }
    QPushButton& RevertAllButton() { return *revertAll_; }
    // The size that shows every column and row without scrolling.
    QSize WholeSize() const;

private:
    // Reverts run after the click that asked for them has been handled,
    // since reverting rebuilds the rows the button stands in.
    void revertLater(std::vector<std::function<void()>> reverts);
    void clearRows();

    std::function<std::vector<ReviewRow>()> rows_;
    QScrollArea* scroll_;
    QWidget* rowsArea_;
    QGridLayout* grid_;
    QLabel* noChanges_;
    QPushButton* revertAll_;
    std::vector<QPushButton*> revertButtons_;
    KeyToolTips keyToolTips_;
};

} // namespace ostra
