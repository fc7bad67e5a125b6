#include "gif/SubBlockReader.h"

#include "gif/Stream.h"

namespace ostra {

TSubBlockSource::~TSubBlockSource() = default;

// A sub-block the stream cannot complete gives what is there: a picture
// cut off inside its last sub-block still shows the rows it holds.
TSubBlockSource::TSubBlock TSubBlockReader::NextSubBlock(std::uint8_t* out)
{
    if (terminated_)
        return {TSubBlockEnd::Terminator, 0};
    std::uint8_t count = 0;
    if (!ReadByte(stream_, count))
        return {TSubBlockEnd::End, 0};
    if (count == 0) {
        terminated_ = true;
        return {TSubBlockEnd::Terminator, 0};
    }
    const std::size_t size = ReadUpTo(stream_, out, count);
    return {size < count ? TSubBlockEnd::Cut : TSubBlockEnd::Data, size};
}

// Count byte, that many bytes, ... up to a count of 0 or the end of the stream.
void TSubBlockReader::SkipRest()
{
    std::uint8_t count = 0;
    while (!terminated_ && ReadByte(stream_, count)) {
        if (count == 0)
            terminated_ = true;
        else
            stream_.Seek(count);
    }
}

} // namespace ostra
