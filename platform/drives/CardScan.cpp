#include "platform/drives/CardScan.h"

#include <string>

namespace ostra {

namespace {

constexpr char kFirstProbedLetter = 'C';
constexpr char kLastProbedLetter = 'Z';
constexpr const char* kConfigPattern = "*.cfg";

} // namespace

CardScan::CardScan(RemovableDrives& drives, FileApi& files, FileAccess access)
    : drives_(drives), files_(files), access_(access), nextLetter_(kFirstProbedLetter)
{
}

void CardScan::rescan()
{
    drives_.rescan();
    nextLetter_ = kFirstProbedLetter;
}

std::optional<CardDrive> CardScan::nextDrive()
{
    while (nextLetter_ <= kLastProbedLetter) {
        const char letter = nextLetter_++;
        if (drives_.driveTypeOf(std::string{letter, ':', '\\'}) != DriveType::Removable)
            continue;
        // A drive gone between the type query and the lookup is passed over;
        // the listing is of the drive looked up.
        std::optional<DriveInfo> drive = drives_.findDrive(letter);
        if (!drive)
            continue;
        CardFolderListing listing(files_, drive->MountPath, kConfigPattern, access_);
        std::optional<CardFile> first = listing.next();
        if (first)
            return CardDrive{std::move(*drive), std::move(listing), std::move(*first)};
    }
    return std::nullopt;
}

CardFolderListing CardScan::listDrive(char letter) const
{
    return CardFolderListing(files_, drives_.rootFolder(letter), kConfigPattern, access_);
}

} // namespace ostra
