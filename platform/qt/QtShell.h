#pragma once

#include "platform/qt/Shell.h"

namespace ostra {

class QtShell final : public Shell {
public:
    void open(QWidget* owner, const QString& address) override;
};

} // namespace ostra
