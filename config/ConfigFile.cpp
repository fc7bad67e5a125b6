#include "config/ConfigFile.h"

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

} // namespace ostra
