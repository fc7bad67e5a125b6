#pragma once

#include <string>

#include "config/ConfigRecord.h"
#include "platform/FileApi.h"
#include "platform/FileRead.h"

namespace ostra {

// ReadConfigFile and WriteConfigFile over a given file layer, so that tests
// can make any step of a load or a save fail. The overloads without one use
// the operating system's files.
void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record);
void WriteConfigFile(FileApi& files, const std::string& path, const TConfigRecord& record);

// ReadConfigFile opening the file as access says: the command-line tool's
// readers pass FileAccess::ReadOnly, so that a file they may not write can
// still be shown, exported or compared.
void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record, FileAccess access);

} // namespace ostra
