#pragma once

#include <QStringList>

#include "ui/widgets/ListBox.h"

namespace ostra {

// A list of items with a check mark each. Click is raised by the user's
// clicks on items and selection moves (as in ListBox) and also when the
// user toggles a mark, by mouse on its box or by the space bar. Marks set
// from code raise nothing.
class CheckListBox : public ListBox {
    Q_OBJECT
public:
    CheckListBox(QWidget* parent, int itemHeight);

    void SetItems(const QStringList& captions);
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);

    // Called by the list's delegate when the user toggled a mark.
    void NoteUserToggle() { NoteUserChange(); }
};

} // namespace ostra
