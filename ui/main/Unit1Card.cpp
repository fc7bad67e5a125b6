// The card in the slot. An installer swaps cards of one site, with the
// same file names and volume label, in one reader, and the desktop mounts
// each at the same place: a path alone does not say which card's file it
// is. So a save over the file the window shows first checks that the file
// is still the one opened or last saved, by its bytes and by the serial of
// the file system it lies on; a file changed on disk while nothing is
// unsaved is read again when the window comes to the front; a save to a
// card that was taken out says so and keeps the edits; and a file dropped
// from the file manager opens.
#include "ui/main/Unit1.h"

#include <ctime>
#include <filesystem>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <sys/stat.h>

#include <QCheckBox>

#include "document/FileState.h"
#include "platform/FileVolume.h"
#include "platform/InOutError.h"
#include "platform/qt/MessageBoxes.h"
#include "ui/main/ErrorAdvice.h"
#include "ui/widgets/ApplicationTitle.h"
#include "ui/widgets/DisplayText.h"

namespace ostra {

namespace {

constexpr const char* kConfigSuffix = ".cfg";

// "14:05", in local time.
QString clockTime(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&time, &local);
    char text[8] = {};
    std::strftime(text, sizeof text, "%H:%M", &local);
    return QString::fromLatin1(text);
}

QString fileNameOf(const std::string& path)
{
    return DisplayName(std::filesystem::path(path).filename().string());
}

} // namespace

bool TForm1::ConfirmSameFile(const std::string& path, QWidget* owner)
{
    const FileState& then = document_.File();
    if (path.empty() || path != then.Path)
        return true;
    FileState now;
    try {
        now = ReadFileState(files_, path);
    } catch (const Exception&) {
        // Gone or unreadable: the save itself says what stops it.
        return true;
    }
    if (SameFile(then, now))
        return true;
    const QString question = QStringLiteral("%1 is not the file that was opened: it has changed since %2, or this is "
                                            "another card. Replace it with the settings in this window?")
                                 .arg(fileNameOf(path), clockTime(then.At));
    switch (messageBoxes_.askToReplace(owner, QString::fromLatin1(kApplicationTitle), question)) {
    case SaveChoice::Save:
        return true;
    case SaveChoice::Review:
        ShowReviewChanges(owner, WithTextsPadded(now.Content));
        return false;
    case SaveChoice::Discard:
    case SaveChoice::Cancel:
        return false;
    }
    return false;
}

// A save that failed because the card holding the file was taken out
// keeps the error's text; its advice says that nothing is lost.
QString TForm1::saveAdvice(const Exception& error, const std::string& path)
{
    const FileState& file = document_.File();
    const bool cardGone = path == file.Path && !VolumeAttached(files_, file.Identity.Volume);
    if (!cardGone)
        return ErrorAdvice(error, FileTask::Save, path);
    return DisplayName(path) + QStringLiteral(
                                   "\nThe card that holds this file was taken out. The settings are still in this "
                                   "window: put the card back and save again, or save them elsewhere with Advanced Save.");
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        reloadIfChanged();
}

// Only a window that shows its file unchanged is read again: unsaved
// edits stay, and a save asks. A file gone, with its card, changes
// nothing.
void TForm1::reloadIfChanged()
{
    if (!document_.ShowsFile() || document_.Modified())
        return;
    const std::string path = document_.FilePath();
    FileState now;
    try {
        now = ReadFileState(files_, path);
    } catch (const Exception&) {
        return;
    }
    if (SameFile(document_.File(), now))
        return;
    showFile(now, "Reloaded: ");
    startTimer1();
}

namespace {

// The one local file a drag carries, as the file system's bytes; nothing
// for several files, none, or anything else.
std::optional<std::string> draggedFile(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    return QFile::encodeName(urls.front().toLocalFile()).toStdString();
}

bool endsWithConfigSuffix(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string suffix = kConfigSuffix;
    if (name.size() <= suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - suffix.size() + i])) != suffix[i])
            return false;
    return true;
}

} // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const std::optional<std::string> path = draggedFile(*event->mimeData());
    struct stat status {};
    const bool file = path && !files_.stat(*path, status).failed() && S_ISREG(status.st_mode);
    if (file && (CheckBox5->isChecked() || endsWithConfigSuffix(*path)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const std::optional<std::string> path = draggedFile(*event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    if (!SettleUnsavedEdits(this))
        return;
    if (OpenConfig(*path))
        CurrentFilePath = *path;
}

} // namespace ostra
