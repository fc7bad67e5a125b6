#include "document/FileState.h"

#include <ctime>

#include "config/ConfigFile.h"

namespace ostra {

namespace {

TConfigRecord asOpened(TConfigRecord record)
{
    if (IsBlankConfig(record))
        ZeroConfig(record);
    return record;
}

} // namespace

FileState ReadFileState(FileApi& files, const std::string& path)
{
    FileState state;
    state.Path = path;
    state.ReadOnly = ReadConfigFile(files, path, state.Content, FileAccess::ReadWriteOrReadOnly) == FileAccess::ReadOnly;
    state.Content = asOpened(state.Content);
    state.Identity = IdentityOf(files, path);
    state.At = std::time(nullptr);
    return state;
}

FileState WrittenFileState(FileApi& files, const std::string& path, const TConfigRecord& record)
{
    return {path, asOpened(record), IdentityOf(files, path), false, std::time(nullptr)};
}

bool SameFile(const FileState& then, const FileState& now)
{
    const bool bothNamed = !then.Identity.Volume.empty() && !now.Identity.Volume.empty();
    return then.Content == now.Content && then.Identity.Size == now.Identity.Size &&
           (!bothNamed || then.Identity.Volume == now.Identity.Volume);
}

} // namespace ostra
