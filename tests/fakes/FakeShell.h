#pragma once

#include <QStringList>

#include "platform/qt/Shell.h"

namespace ostra {

// Records each address instead of opening it.
class FakeShell final : public Shell {
public:
    void open(QWidget* /*owner*/, const QString& address) override { Opened.push_back(address); }

    QStringList Opened;
};

} // namespace ostra
