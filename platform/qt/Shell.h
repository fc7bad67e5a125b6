#pragma once

#include <QString>

class QWidget;

namespace ostra {

// The desktop shell's "open" action: hands a document or web address to
// whatever program the user's desktop opens it with. The outcome is not
// reported.
class Shell {
public:
    virtual ~Shell();
    virtual void open(QWidget* owner, const QString& address) = 0;
};

} // namespace ostra
