#include "config/ConfigFile.h"

#include "platform/FileRead.h"
#include "platform/FileSave.h"
#include "platform/FileTail.h"

namespace ostra {

// The record is cleared first, so that whatever fails it holds zeros after
// the bytes the file delivered.
void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record)
{
    ZeroConfig(record);
    readFileHead(files, path, record);
}

// A file longer than a record (not a configuration file, or one with more
// behind it) keeps every byte after the record: the save writes the record
// followed by the file's own tail, so nothing the editor never showed is
// lost.
void WriteConfigFile(FileApi& files, const std::string& path, const TConfigRecord& record)
{
    std::vector<std::uint8_t> bytes = readFileBeyond(files, path, record.size());
    bytes.insert(bytes.begin(), record.begin(), record.end());
    saveFileSafely(files, path, bytes);
}

void ReadConfigFile(const std::string& path, TConfigRecord& record)
{
    ReadConfigFile(systemFileApi(), path, record);
}

void WriteConfigFile(const std::string& path, const TConfigRecord& record)
{
    WriteConfigFile(systemFileApi(), path, record);
}

void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record, FileAccess access)
{
    ZeroConfig(record);
    readFileHead(files, path, record, access);
}

} // namespace ostra
