#include "platform/drives/RemovableDrives.h"

namespace ostra {

RemovableDrives::RemovableDrives() = default;

RemovableDrives::~RemovableDrives() = default;

DriveType RemovableDrives::driveTypeOf(std::string_view rootPath) const
{
    const std::optional<char> letter = DriveLetterOf(rootPath);
    if (!letter) {
        return DriveType::Unknown;
    }
    return findDrive(*letter) ? DriveType::Removable : DriveType::NoRootDir;
}

std::optional<DriveInfo> RemovableDrives::findDrive(char letter) const
{
    for (const DriveInfo& drive : drives()) {
        if (drive.Letter == letter) {
            return drive;
        }
    }
    return std::nullopt;
}

std::filesystem::path RemovableDrives::rootFolder(char letter) const
{
    const std::optional<DriveInfo> drive = findDrive(letter);
    return drive ? drive->MountPath : std::filesystem::path();
}

std::optional<char> DriveLetterOf(std::string_view rootPath)
{
    static constexpr std::string_view kRootSuffixes[] = {"", ":", ":\\", ":/"};
    if (rootPath.empty()) {
        return std::nullopt;
    }
    char letter = rootPath.front();
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    if (letter < 'A' || letter > 'Z') {
        return std::nullopt;
    }
    for (std::string_view suffix : kRootSuffixes) {
        if (rootPath.substr(1) == suffix) {
            return letter;
        }
    }
    return std::nullopt;
}

} // namespace ostra
