#pragma once

#include <string>
#include <string_view>

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
void removeLeftoverTemporaries(FileApi& files, const std::string& folder);

} // namespace ostra
