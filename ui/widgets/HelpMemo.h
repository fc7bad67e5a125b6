#pragma once

#include <QPlainTextEdit>

namespace ostra {

// A read-only, word-wrapped text box with a vertical scroll bar. Click is
// raised by a left click in the text area; the scroll bar raises nothing.
class HelpMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit HelpMemo(QWidget* parent);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace ostra
