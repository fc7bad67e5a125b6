#pragma once

#include "platform/qt/FileDialogs.h"

namespace ostra {

// Qt's own file dialogs. The save dialog returns an existing name without
// asking; the open dialog accepts a name that does not exist, so the read
// that follows reports it.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> Run(QWidget* owner, const FileDialogRequest& request) override;
};

} // namespace ostra
