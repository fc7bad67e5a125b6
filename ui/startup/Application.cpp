#include "ui/startup/Application.h"

#include <exception>

#include <QDir>
#include <QIcon>
#include <QtGlobal>

#include "platform/qt/MessageBoxes.h"

namespace ostra {

namespace {

// The name of the installed desktop entry, without ".desktop": desktops
// match a running window to its entry, and so to its menu icon, by it.
constexpr char kDesktopFileName[] = "example.ostra_video.ConfigUtility";

} // namespace

QIcon ApplicationIcon()
{
    QIcon icon;
    const QDir folder(QStringLiteral(":/ostra/icons"));
    for (const QString& name : folder.entryList(QDir::Files))
        icon.addFile(folder.filePath(name));
    return icon;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setDesktopFileName(QString::fromLatin1(kDesktopFileName));
}

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
    errorBoxes_->showError(activeWindow(), title_, ErrorBoxText(message));
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

} // namespace ostra
