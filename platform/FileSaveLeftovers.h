#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileApi.h"

namespace ostra {

// A fresh name for a save's temporary file in folder: ".ostra-" followed
// by eight random hexadecimal digits and ".tmp".
std::string temporaryName(const std::string& folder);

// Whether name has exactly the form temporaryName gives.
bool isTemporaryName(std::string_view name);

// Removes from folder the temporary files that earlier saves left when
// they were killed: names of the editor's own form, regular files of the
// saving user, last changed more than a minute ago (a save in progress in
// another editor is younger than that). On a FAT card such leftovers are
// visible to the unit and fill a small root folder. Best effort: whatever
// cannot be listed or removed stays, and the save goes on.
//
// On FAT a power cut can leave a leftover sharing its clusters with a
// configuration file, and removing either frees the other's clusters.
// crashesBefore is then the time before which such a crash may have
// happened (when the card was attached); a leftover changed before it
// that holds the bytes of a .cfg file of the folder is kept, and the
// names of those files are returned: they must be written in place.
std::vector<std::string> removeLeftoverTemporaries(FileApi& files, const std::string& folder,
                                                   std::optional<std::time_t> crashesBefore);

} // namespace ostra
