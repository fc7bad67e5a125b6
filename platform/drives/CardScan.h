#pragma once

#include <optional>

#include "platform/FileApi.h"
#include "platform/FileRead.h"
#include "platform/drives/CardFolderListing.h"
#include "platform/drives/RemovableDrives.h"

namespace ostra {

// A drive a card scan found, with the listing of its configuration files,
// which has read the first of them.
struct CardDrive {
    DriveInfo Drive;
    CardFolderListing Listing;
    CardFile First;
};

// The cards the card file browser offers and `ostra-cfg cards` lists: the
// removable drives C to Z whose root folder holds at least one plain
// configuration file (*.cfg), in letter order, each file read as a listing
// reaches it (see CardFolderListing). Drives A and B were floppy drives and
// are never probed, removable or not.
class CardScan {
public:
    // Files are opened as access says: the editor opens them as it loads
    // them (ReadWriteOrReadOnly); a reader that never writes opens them for
    // reading only.
    CardScan(RemovableDrives& drives, FileApi& files, FileAccess access);

    // Rescans the drives; nextDrive starts again at C.
    void rescan();
    // The next drive that holds a configuration file, or nothing after Z.
    // Finding it reads no further than that drive's first file.
    std::optional<CardDrive> nextDrive();
    // The configuration files of drive `letter` as the last rescan found
    // it, listed afresh; none when the letter names no drive.
    CardFolderListing listDrive(char letter) const;

private:
    RemovableDrives& drives_;
    FileApi& files_;
    FileAccess access_;
    char nextLetter_;
};

} // namespace ostra
