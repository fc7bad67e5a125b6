#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileApi.h"

namespace ostra {

// Whether two names name one file on a card (FAT and exFAT compare names
// without case; only ASCII letters are folded here).
bool sameNameOnCard(std::string_view a, std::string_view b);

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

// After a power cut on exFAT a folder may list one name twice. A rename
// over an existing file rewrites the new file's entries where they lie and
// deletes the old file's; when the two lie in neighbouring sectors of one
// write, a torn write can keep the first change and lose the second. The
// kernel finds the first entry of the name, a save would replace that one,
// and the card, mounted again, would show the other in place of the saved
// file. While the folder lists the file's name (compared without case, as
// on a card) more than once, the entry found is moved to a temporary name
// and deleted; true when any was. Raises EInOutError when that fails.
bool removeDuplicateEntries(FileApi& files, const std::string& path);

} // namespace ostra
