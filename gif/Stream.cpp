#include "gif/Stream.h"

#include "gif/GIFException.h"

#include <algorithm>
#include <cstring>

namespace ostra {

TStream::~TStream() = default;

TMemoryStream::TMemoryStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

TMemoryStream::TMemoryStream(std::vector<std::uint8_t>&& bytes) : owned_(std::move(bytes)), bytes_(owned_) {}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    const std::int64_t size = Size();
    if (position_ >= size)
        return 0;
    const std::size_t n = std::min(count, static_cast<std::size_t>(size - position_));
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

void TMemoryStream::SetPosition(std::int64_t position)
{
    position_ = std::max<std::int64_t>(0, position);
}

TFileStream::TFileStream(const std::string& path) : file_(std::fopen(path.c_str(), "rb"))
{
    if (file_ == nullptr)
        throw GIFException("Cannot open file " + path);
    std::fseek(file_, 0, SEEK_END);
    size_ = std::ftell(file_);
    std::fseek(file_, 0, SEEK_SET);
}

TFileStream::~TFileStream()
{
    std::fclose(file_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    return std::fread(buffer, 1, count, file_);
}

std::int64_t TFileStream::Position() const
{
    return std::ftell(file_);
}

void TFileStream::SetPosition(std::int64_t position)
{
    std::fseek(file_, static_cast<long>(std::max<std::int64_t>(0, position)), SEEK_SET);
}

// A stream may deliver fewer bytes than asked before its end (a pipe, a
// network source): only a read that delivers nothing is the end.
std::size_t ReadUpTo(TStream& stream, void* buffer, std::size_t count)
{
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t arrived = stream.Read(bytes + done, count - done);
        if (arrived == 0)
            break;
        done += arrived;
    }
    return done;
}

void ReadExact(TStream& stream, void* buffer, std::size_t count)
{
    if (ReadUpTo(stream, buffer, count) != count)
        throw GIFException("Premature end of data");
}

bool ReadByte(TStream& stream, std::uint8_t& value)
{
    return stream.Read(&value, 1) == 1;
}

} // namespace ostra
