#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace ostra::cardtest {

// Enough of exFAT to judge a card image a crash left, on a host without
// the file system: find a file by its path and read it, and list a
// folder. A name is found as the kernel's lookup finds it: the first
// entry set in the folder that carries it, compared without case (ASCII).
//
// The boot sector's fields, at their byte offsets:
//
//   3  "EXFAT   "          80 FatOffset (sectors)   88 ClusterHeapOffset
//   96 FirstClusterOfRootDirectory                 108 BytesPerSectorShift
//   109 SectorsPerClusterShift
//
// An entry set in a folder (32-byte entries):
//
//   0x85 file:   1 SecondaryCount, 2 SetChecksum, 4 FileAttributes (0x10 folder)
//   0xC0 stream: 1 flags (bit 1 NoFatChain), 3 NameLength, 8 ValidDataLength,
//                20 FirstCluster, 24 DataLength
//   0xC1 name:   2 fifteen UTF-16 characters
struct ExfatEntry {
    std::string Name; // UTF-8
    bool Folder = false;
    bool ChecksumMatches = false;
    std::uint32_t FirstCluster = 0;
    std::uint64_t ValidSize = 0;
    std::uint64_t Size = 0;
    bool Contiguous = false; // NoFatChain: the clusters follow each other
};

struct ExfatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ExfatImage {
public:
    // Reads bytes at a byte offset of the image; false when they lie
    // beyond it.
    using ReadAt = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> bytes)>;

    // Raises ExfatError when the boot sector is not exFAT's.
    explicit ExfatImage(ReadAt read);

    // The entry sets in use in a folder ("/" or "/NEW"), in folder order;
    // raises ExfatError when the folder is missing or cannot be read.
    std::vector<ExfatEntry> folder(const std::string& path) const;
    // The file's bytes (beyond its valid size zeros, as the kernel reads
    // them); nothing when no entry carries the name.
    std::optional<std::vector<std::uint8_t>> file(const std::string& path) const;

private:
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t size) const;
    std::vector<std::uint32_t> clusterChain(std::uint32_t first, std::optional<std::uint64_t> size, bool contiguous) const;
    std::vector<std::uint8_t> clusters(const std::vector<std::uint32_t>& chain) const;
    std::vector<ExfatEntry> entries(const std::vector<std::uint32_t>& chain) const;

    ReadAt read_;
    std::uint64_t sectorSize_ = 512;
    std::uint64_t clusterSize_ = 512;
    std::uint64_t fatOffset_ = 0;
    std::uint64_t heapOffset_ = 0;
    std::uint32_t clusterCount_ = 0;
    std::uint32_t rootCluster_ = 0;
};

// The image in a file, read as needed (cards are large and mostly empty).
ExfatImage::ReadAt readFromImageFile(const std::string& path);

} // namespace ostra::cardtest
