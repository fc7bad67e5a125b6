#pragma once

#include "platform/qt/MessageBoxes.h"

namespace ostra {

class QtMessageBoxes final : public MessageBoxes {
public:
    using MessageBoxes::showError;
    void showError(QWidget* owner, const QString& caption, const QString& text, const QString& detail) override;
    SaveChoice askToSave(QWidget* owner, const QString& caption, const QString& question) override;
    SaveChoice askToReplace(QWidget* owner, const QString& caption, const QString& question) override;
    bool askToProceed(QWidget* owner, const QString& caption, const QString& question,
                      ProceedButtons buttons) override;
};

} // namespace ostra
