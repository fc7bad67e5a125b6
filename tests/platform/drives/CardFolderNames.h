#pragma once

// What tests ask of a card folder: the names its listing gives, and the
// FAT attributes of one file. Header-only, so that the card tests' static
// guest program shares them without a test library.
#include <fcntl.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/CardFiles.h"
#include "platform/FileApi.h"
#include "platform/drives/CardFolderListing.h"

namespace ostra::test {

// The names a card listing of folder gives for the configuration files,
// failed files included, each file opened for reading only.
inline std::vector<std::string> listedNames(FileApi& files, const std::filesystem::path& folder)
{
    CardFolderListing listing(files, folder, kConfigCardFiles.Pattern, kConfigCardFiles.HeadSize,
                              FileAccess::ReadOnly);
    std::vector<std::string> names;
    while (const std::optional<CardFile> file = listing.next())
        names.push_back(file->Name);
    return names;
}

// The FAT attribute byte of a file as the file system answers it.
inline std::optional<std::uint32_t> fatAttributesOf(const std::filesystem::path& file)
{
    FileApi& files = systemFileApi();
    const FileResult opened = files.open(file.string(), O_RDONLY | O_CLOEXEC, 0);
    if (opened.failed())
        return std::nullopt;
    OpenFile open(files, static_cast<int>(opened.value));
    std::uint32_t attributes = 0;
    if (files.fatAttributes(open.fd(), attributes).failed())
        return std::nullopt;
    return attributes;
}

} // namespace ostra::test
