#pragma once

#include "platform/qt/FileDialogs.h"

class QFileDialog;

namespace ostra {

// Qt's own file dialogs. The save dialog returns an existing name without
// asking; the open dialog accepts a name that does not exist, so the read
// that follows reports it.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> run(QWidget* owner, const FileDialogRequest& request) override;
};

// Sets up dialog as Run shows it. Each filter keeps its caption, while the
// patterns Qt matches with are given as hidden details: "*.*" matches every
// file there, as users of such filters expect, also names without a dot.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

} // namespace ostra
