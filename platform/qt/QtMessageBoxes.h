#pragma once

#include "platform/qt/MessageBoxes.h"

namespace ostra {

class QtMessageBoxes final : public MessageBoxes {
public:
    void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
    SaveChoice AskToSave(QWidget* owner, const QString& caption, const QString& question) override;
};

} // namespace ostra
