#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace ostra {

// One setting that differs from the file: its name as a screen reader
// says it, its value in the file and in the window, and how to put the
// file's value back.
struct ReviewRow {
    QString Name;
    QString FileValue;
    QString WindowValue;
    std::function<void()> Revert;
};

// The window "Review Changes": every unsaved change as a row of a table,
// each with its Revert button, and Revert All. Its rows come from the
// editor whenever Refresh is called.
class ReviewChanges final : public QWidget {
    Q_OBJECT
public:
    explicit ReviewChanges(std::function<std::vector<ReviewRow>()> rows);

    // Shows the window beside anchor, where it fits the screen; raises it
    // when it shows already. With an owner, the window is that window's
    // (the window manager keeps it above its owner); without, its own.
    void ShowBeside(const QWidget& anchor, QWidget* owner = nullptr);
    void Refresh();

    QTableWidget& Table() { return *table_; }
    QPushButton& RevertAllButton() { return *revertAll_; }

private:
    // Reverts run after the click that asked for them has been handled,
    // since reverting rebuilds the table the button stands in.
    void revertLater(std::vector<std::function<void()>> reverts);

    std::function<std::vector<ReviewRow>()> rows_;
    QTableWidget* table_;
    QLabel* noChanges_;
    QPushButton* revertAll_;
};

} // namespace ostra
