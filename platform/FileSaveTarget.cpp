#include "platform/FileSaveTarget.h"

#include <cerrno>
#include <fcntl.h>

#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

// The kernel's own limit on the links followed in one path lookup.
constexpr int kMaxLinksFollowed = 40;

std::string joinLinkText(const std::string& link, const std::string& text)
{
    if (!text.empty() && text.front() == '/')
        return text;
    return folderOf(link) + "/" + text;
}

// Follows a chain of symbolic links to the path that finally names no
// existing file. Answers path itself when it is no link.
std::string followDanglingLinks(FileApi& files, const std::string& path)
{
    std::string current = path;
    for (int followed = 0; followed < kMaxLinksFollowed; ++followed) {
        struct stat status {};
        if (files.lstat(current, status).failed() || !S_ISLNK(status.st_mode))
            return current;
        std::string text;
        if (files.readLink(current, text).failed())
            throw EInOutError(InOutErrorCode::InvalidFilename);
        current = joinLinkText(current, text);
    }
    throw EInOutError(InOutErrorCode::InvalidFilename);
}

SaveTarget findNewTarget(FileApi& files, const std::string& path)
{
    const std::string created = followDanglingLinks(files, path);
    if (created != path) {
        // A link whose file is missing: that file is created, in its own
        // folder, and the link keeps pointing at it.
        if (!folderExists(files, folderOf(created)))
            throw EInOutError(InOutErrorCode::InvalidFilename);
        return SaveTarget{created};
    }
    if (!folderExists(files, folderOf(path)))
        throw pathError(files, path, ENOENT);
    return SaveTarget{path};
}

} // namespace

SaveTarget findSaveTarget(FileApi& files, const std::string& path)
{
    SaveTarget target{path};
    const FileResult found = files.stat(path, target.status);
    if (found.failed()) {
        if (found.error == ENOENT)
            return findNewTarget(files, path);
        throw pathError(files, path, found.error);
    }
    target.exists = true;
    if (S_ISDIR(target.status.st_mode))
        throw EInOutError(InOutErrorCode::FileAccessDenied);

    // O_NONBLOCK keeps the probe of a pipe or a device from waiting.
    const FileResult probe = files.open(path, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
    if (probe.failed())
        throw pathError(files, path, probe.error);
    OpenFile(files, static_cast<int>(probe.value)).closeQuietly();

    std::string resolved;
    if (!files.realPath(path, resolved).failed())
        target.path = resolved;
    return target;
}

} // namespace ostra
