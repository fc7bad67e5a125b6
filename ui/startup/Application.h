#pragma once

#include <QApplication>
#include <QIcon>

namespace ostra {

class MessageBoxes;

// The application object. An error that escapes an event handler ends up
// here instead of ending the program: it is shown in an error box captioned
// with the application title, and the event loop goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);
    void SetErrorBoxes(MessageBoxes* boxes) { errorBoxes_ = boxes; }

    bool notify(QObject* receiver, QEvent* event) override;
    void ShowException(const QString& message);

private:
    QString title_;
    MessageBoxes* errorBoxes_ = nullptr;
};

// The application icon, one picture per size, compiled into the program.
// Reading it loads Qt's image-format plugins; start-up sets it once the
// main window is drawn (see EditorWindows).
QIcon ApplicationIcon();

// The text of the default error box: the message with a full stop appended
// when its last character sorts after "." (so a text ending in ")" or "!"
// gets none).
QString ErrorBoxText(const QString& message);

} // namespace ostra
