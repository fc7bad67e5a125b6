#include "ui/Application.h"

#include <exception>

#include <QtGlobal>

#include "platform/qt/MessageBoxes.h"

namespace ostra {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TApplication::SetTitle(const QString& title)
{
    // The name, not the display name: Qt appends a display name to every
    // window caption, and the captions are the editor's status line.
    title_ = title;
    setApplicationName(title);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}

void TApplication::ShowException(const QString& message)
{
    if (errorBoxes_ == nullptr) {
        qWarning("%s", qUtf8Printable(ErrorBoxText(message)));
        return;
    }
    errorBoxes_->ShowError(activeWindow(), title_, ErrorBoxText(message));
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

} // namespace ostra
