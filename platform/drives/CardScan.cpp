#include "platform/drives/CardScan.h"

#include <string>

namespace ostra {

CardScan::CardScan(RemovableDrives& drives, FileApi& files, FileAccess access, const CardFileSearch& search)
    : drives_(drives), files_(files), access_(access), search_(search), nextLetter_(search.FirstDrive)
{
}

void CardScan::rescan()
{
    drives_.rescan();
    nextLetter_ = search_.FirstDrive;
}

std::optional<CardDrive> CardScan::nextDrive()
{
    while (nextLetter_ <= search_.LastDrive) {
        const char letter = nextLetter_++;
        if (drives_.driveTypeOf(std::string{letter, ':', '\\'}) != DriveType::Removable)
            continue;
        // A drive gone between the type query and the lookup is passed over;
        // the listing is of the drive looked up.
        std::optional<DriveInfo> drive = drives_.findDrive(letter);
        if (!drive)
            continue;
        CardFolderListing listing(files_, drive->MountPath, search_.Pattern, search_.HeadSize, access_);
        std::optional<CardFile> first = listing.next();
        if (first)
            return CardDrive{std::move(*drive), std::move(listing), std::move(*first)};
    }
    return std::nullopt;
}

CardFolderListing CardScan::listDrive(char letter) const
{
    return CardFolderListing(files_, drives_.rootFolder(letter), search_.Pattern, search_.HeadSize, access_);
}

} // namespace ostra
