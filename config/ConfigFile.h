#pragma once

#include <string>

#include "config/ConfigRecord.h"
#include "platform/FileApi.h"

namespace ostra {

// ReadConfigFile and WriteConfigFile over a given file layer, so that tests
// can make any step of a load or a save fail. The overloads without one use
// the operating system's files.
void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record);
void WriteConfigFile(FileApi& files, const std::string& path, const TConfigRecord& record);

} // namespace ostra
