#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

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

// What a card scan looks for: the drive letters it probes, the files of
// each root folder it lists (a pattern as MatchesWildcard takes it; the
// scan keeps the view, so it names a literal) and how many bytes of each
// it reads.
struct CardFileSearch {
    char FirstDrive;
    char LastDrive;
    std::string_view Pattern;
    std::size_t HeadSize;
};

// The cards a search finds: the removable drives from FirstDrive to
// LastDrive whose root folder holds at least one plain file that matches
// Pattern, in letter order, each file read as a listing reaches it (see
// CardFolderListing). Drives outside the range are never probed, removable
// or not.
class CardScan {
public:
    // Files are opened as access says: the editor opens them as it loads
    // them (ReadWriteOrReadOnly); a reader that never writes opens them for
    // reading only.
    CardScan(RemovableDrives& drives, FileApi& files, FileAccess access, const CardFileSearch& search);

    // Rescans the drives; nextDrive starts again at the first letter.
    void rescan();
    // The next drive that holds a matching file, or nothing after the last
    // letter. Finding it reads no further than that drive's first file.
    std::optional<CardDrive> nextDrive();
    // The matching files of drive `letter` as the last rescan found it,
    // listed afresh; none when the letter names no drive.
    CardFolderListing listDrive(char letter) const;

private:
    RemovableDrives& drives_;
    FileApi& files_;
    FileAccess access_;
    CardFileSearch search_;
    char nextLetter_;
};

} // namespace ostra
