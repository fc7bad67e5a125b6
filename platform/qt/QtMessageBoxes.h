#pragma once

#include "platform/qt/MessageBoxes.h"

namespace ostra {

class QtMessageBoxes final : public MessageBoxes {
public:
    using MessageBoxes::ShowError;
    void ShowError(QWidget* owner, const QString& caption, const QString& text, const QString& detail) override;
    SaveChoice AskToSave(QWidget* owner, const QString& caption, const QString& question) override;
};

} // namespace ostra
