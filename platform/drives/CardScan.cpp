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
    drives_.Rescan();
    nextLetter_ = kFirstProbedLetter;
}

std::optional<CardDrive> CardScan::nextDrive()
{
    while (nextLetter_ <= kLastProbedLetter) {
        const char letter = nextLetter_++;
        if (drives_.DriveTypeOf(std::string{letter, ':', '\\'}) != DriveType::Removable)
            continue;
        CardFolderListing listing = listDrive(letter);
        std::optional<CardFile> first = listing.Next();
        if (first)
            return CardDrive{*drives_.FindDrive(letter), std::move(listing), std::move(*first)};
    }
    return std::nullopt;
}

CardFolderListing CardScan::listDrive(char letter) const
{
    return CardFolderListing(files_, drives_.RootFolder(letter), kConfigPattern, access_);
}

} // namespace ostra
