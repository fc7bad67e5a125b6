#pragma once

#include <algorithm>

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

} // namespace ostra
