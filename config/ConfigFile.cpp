#include "config/ConfigFile.h"

#include "platform/FilePath.h"
#include "platform/FileRead.h"
#include "platform/FileSave.h"

namespace ostra {

// The record is cleared first, so that whatever fails it holds zeros after
// the bytes the file delivered.
void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record)
{
    ZeroConfig(record);
    readFileHead(files, path, record);
}

// A unit reads a configuration file of exactly one record, and may refuse
// a longer one: the save leaves the record alone, whatever the file held.
void WriteConfigFile(FileApi& files, const std::string& path, const TConfigRecord& record)
{
    saveFileSafely(files, path, record);
}

void ReadConfigFile(const std::string& path, TConfigRecord& record)
{
    ReadConfigFile(systemFileApi(), path, record);
}

void WriteConfigFile(const std::string& path, const TConfigRecord& record)
{
    WriteConfigFile(systemFileApi(), path, record);
}

FileAccess ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record, FileAccess access)
{
    ZeroConfig(record);
    return readFileHead(files, path, record, access);
}

std::optional<std::uint64_t> LengthShortenedBySave(FileApi& files, const std::string& path)
{
    const std::optional<std::uint64_t> length = regularFileLength(files, path);
    if (length && *length > static_cast<std::uint64_t>(layout::kRecordSize))
        return length;
    return std::nullopt;
}

} // namespace ostra
