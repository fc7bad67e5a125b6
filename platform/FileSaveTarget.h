#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/FileApi.h"

namespace ostra {

// The file a save writes, found before anything is written.
struct SaveTarget {
    // With every symbolic link followed, so that a link stays a link: the
    // save writes the file a link points to, existing or not.
    std::string path;
    bool exists = false;
    struct stat status {};
};

// Finds the file a save of path writes and checks that it can be written:
// an existing target must open for writing, a new one needs its folder.
// A symbolic link that points nowhere names the file to create when that
// file's folder exists, and is an "Invalid filename" otherwise. Raises
// EInOutError with the mapped error; nothing is written.
SaveTarget findSaveTarget(FileApi& files, const std::string& path);

} // namespace ostra
