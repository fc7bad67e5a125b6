#include "platform/drives/FakeRemovableDrives.h"

#include <algorithm>

namespace ostra {

void FakeRemovableDrives::PlugIn(char letter, std::filesystem::path folder, std::string volumeName)
{
    Unplug(letter);
    plugged_.push_back({letter, std::move(folder), std::move(volumeName)});
}

void FakeRemovableDrives::Unplug(char letter)
{
    std::erase_if(plugged_, [letter](const DriveInfo& drive) { return drive.Letter == letter; });
}

void FakeRemovableDrives::Rescan()
{
    ++RescanCount;
    drives_ = plugged_;
    std::sort(drives_.begin(), drives_.end(),
              [](const DriveInfo& a, const DriveInfo& b) { return a.Letter < b.Letter; });
}

const std::vector<DriveInfo>& FakeRemovableDrives::Drives() const
{
    return drives_;
}

} // namespace ostra
