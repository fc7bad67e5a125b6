#pragma once

#include <algorithm>
#include <ranges>
#include <string>

#include "config/ConfigLayout.h"
#include "config/ConfigRecord.h"
#include "platform/drives/CardScan.h"

namespace ostra {

// A card's configuration files, as the card file browser offers them and
// ostra-cfg cards lists them: the *.cfg files of the root folder of each
// removable drive C to Z, one record read from each. Drives A and B were
// floppy drives and are never probed, removable or not.
inline constexpr CardFileSearch kConfigCardFiles = {'C', 'Z', "*.cfg", layout::kRecordSize};

// The record a configuration file listed by that search holds.
inline TConfigRecord CardFileRecord(const CardFile& file)
{
    TConfigRecord record{};
    std::copy_n(file.Head.begin(), std::min(file.Head.size(), record.size()), record.begin());
    return record;
}

// The line ostra-cfg cards shows for a listed file: its description as a
// terminal shows it, or its error in angle brackets (see CardFileLine).
std::string ListedCardFileLine(const CardFile& file);

// Puts a folder's files in the order ostra-cfg cards lists them: ascending
// by their lines, byte for byte. lineOf gives the line of one element.
template <std::ranges::random_access_range Files, typename LineOf>
void SortCardFiles(Files& files, LineOf lineOf)
{
    std::ranges::sort(files, {}, lineOf);
}

} // namespace ostra
