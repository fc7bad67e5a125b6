#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace ostra {

// A seekable byte stream: what the GIF reader needs of its source.
// The position may be set past the end; reading there yields no bytes.
class TStream {
public:
    virtual ~TStream();

    // Reads up to count bytes and answers how many arrived.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;

    // Moves the position by a signed offset.
    void Seek(std::int64_t offset) { SetPosition(Position() + offset); }
};

// A stream over bytes in memory. Either views bytes that the caller keeps
// alive or owns a copy of them.
class TMemoryStream final : public TStream {
public:
    explicit TMemoryStream(std::span<const std::uint8_t> bytes);
    explicit TMemoryStream(std::vector<std::uint8_t>&& bytes);
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return position_; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }

private:
    std::vector<std::uint8_t> owned_;
    std::span<const std::uint8_t> bytes_;
    std::int64_t position_ = 0;
};

// A read-only stream over a file.
class TFileStream final : public TStream {
public:
    // Raises GIFException "Cannot open file" + path when the file cannot be opened.
    explicit TFileStream(const std::string& path);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::int64_t Position() const override;
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::int64_t size_ = 0;
};

// Reads count bytes, asking again after each short read; answers how many
// arrived before the end of the stream.
std::size_t ReadUpTo(TStream& stream, void* buffer, std::size_t count);

// Reads exactly count bytes, however many reads that takes; raises
// GIFException "Premature end of data" when the stream ends first.
void ReadExact(TStream& stream, void* buffer, std::size_t count);

// One-byte look-ahead and reads that may meet the end of the stream.
bool ReadByte(TStream& stream, std::uint8_t& value);

} // namespace ostra
