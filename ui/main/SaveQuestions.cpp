#include "ui/main/SaveQuestions.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "config/ConfigFile.h"
#include "platform/FileApi.h"
#include "platform/qt/MessageBoxes.h"
#include "ui/widgets/ApplicationTitle.h"
#include "config/ConfigLayout.h"
#include "ui/widgets/DisplayText.h"

namespace ostra {

namespace {

QString fileNameOf(const std::string& path)
{
    return DisplayName(std::filesystem::path(path).filename().string());
}

} // namespace

bool ConfirmShortening(MessageBoxes& boxes, FileApi& files, QWidget* owner, const std::string& path)
{
    const std::optional<std::uint64_t> length = LengthShortenedBySave(files, path);
    if (!length)
        return true;
    const auto kept = static_cast<std::uint64_t>(layout::kRecordSize);
    const QString question =
        QStringLiteral("%1 is %2 bytes long. A configuration file is exactly %3 bytes, so saving writes the "
                       "window's settings there and cuts the file to %3 bytes, dropping the last %4.\n"
                       "Save and shorten the file?")
            .arg(fileNameOf(path))
            .arg(*length)
            .arg(kept)
            .arg(*length - kept);
    return boxes.askToProceed(owner, QString::fromLatin1(kApplicationTitle), question, ProceedButtons::SaveCancel);
}

bool ConfirmReplacing(MessageBoxes& boxes, FileApi& files, QWidget* owner, const std::string& path,
                      const QString& dialogTitle)
{
    // lstat: a dangling symbolic link is a name taken too; the save would
    // write the file it points to.
    struct stat status {};
    if (files.lstat(path, status).failed())
        return true;
    const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileNameOf(path));
    return boxes.askToProceed(owner, dialogTitle, question, ProceedButtons::YesNo);
}

} // namespace ostra
