#include "fakes/FakeRemovableDrives.h"

#include <algorithm>

namespace ostra {

void FakeRemovableDrives::plugIn(char letter, std::filesystem::path folder, std::string volumeName)
{
    unplug(letter);
    plugged_.push_back({letter, std::move(folder), std::move(volumeName)});
}

void FakeRemovableDrives::unplug(char letter)
{
    std::erase_if(plugged_, [letter](const DriveInfo& drive) { return drive.Letter == letter; });
}

void FakeRemovableDrives::rescan()
{
    ++RescanCount;
    drives_ = plugged_;
    std::sort(drives_.begin(), drives_.end(),
              [](const DriveInfo& a, const DriveInfo& b) { return a.Letter < b.Letter; });
}

const std::vector<DriveInfo>& FakeRemovableDrives::drives() const
{
    return drives_;
}

} // namespace ostra
