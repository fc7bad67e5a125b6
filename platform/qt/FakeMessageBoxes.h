#pragma once

#include <vector>

#include "platform/qt/MessageBoxes.h"

namespace ostra {

// Records each box instead of showing it.
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString Caption;
        QString Text;
        QWidget* Owner = nullptr;
    };

    void ShowError(QWidget* owner, const QString& caption, const QString& text) override
    {
        Boxes.push_back({caption, text, owner});
    }

    std::vector<Shown> Boxes;
};

} // namespace ostra
