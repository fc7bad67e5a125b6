#pragma once

#include <QFrame>

namespace ostra {

// A sunken outline around a group of controls. It draws no background and
// takes no clicks; screen readers meet it as a group named after what it
// frames.
class GroupFrame : public QFrame {
    Q_OBJECT
public:
    explicit GroupFrame(QWidget* parent);
};

// Tells the toolkit's accessibility layer what the editor's own widgets
// are: the main window and the Zone Overview frames, the card file browser
// and Review Changes dialogs, a group frame a group, the logo a link that
// can be pressed. Without this they all show as anonymous fillers. Safe
// to call more than once.
void InstallAccessibleRoles();

} // namespace ostra
