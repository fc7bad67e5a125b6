#include "ExfatImage.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>

namespace ostra::cardtest {

namespace {

constexpr std::size_t kEntrySize = 32;
constexpr std::uint8_t kFileEntry = 0x85;
constexpr std::uint8_t kStreamEntry = 0xC0;
constexpr std::uint8_t kNameEntry = 0xC1;
constexpr std::uint8_t kEndOfFolder = 0x00;
constexpr std::uint8_t kInUse = 0x80;
constexpr std::uint16_t kFolderAttribute = 0x10;
constexpr std::uint8_t kNoFatChain = 0x02;
constexpr std::size_t kNameCharactersPerEntry = 15;
constexpr std::uint32_t kFirstCluster = 2;
constexpr std::uint32_t kLastClusterMark = 0xFFFFFFF8;

std::uint64_t little(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | bytes[at + i];
    return value;
}

// The set's checksum over all its entries, leaving out the field that
// holds it (bytes 2 and 3 of the file entry).
std::uint16_t setChecksum(std::span<const std::uint8_t> set)
{
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < set.size(); ++i)
        if (i != 2 && i != 3)
            sum = static_cast<std::uint16_t>(((sum & 1) ? 0x8000 : 0) + (sum >> 1) + set[i]);
    return sum;
}

void appendUtf8(std::string& text, std::uint32_t code)
{
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | code >> 18);
        text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The name the set's name entries spell, NameLength UTF-16 units long.
std::string setName(std::span<const std::uint8_t> set, std::size_t length)
{
    std::vector<std::uint16_t> units;
    for (std::size_t entry = 2; entry * kEntrySize < set.size() && units.size() < length; ++entry)
        for (std::size_t c = 0; c < kNameCharactersPerEntry && units.size() < length; ++c)
            units.push_back(static_cast<std::uint16_t>(little(set, entry * kEntrySize + 2 + 2 * c, 2)));
    std::string name;
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t code = units[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < units.size())
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        appendUtf8(name, code);
    }
    return name;
}

bool sameName(const std::string& a, const std::string& b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

// "/NEW/A.CFG" as {"NEW", "A.CFG"}.
std::vector<std::string> pathParts(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (at < path.size()) {
        const std::size_t slash = path.find('/', at);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        if (end > at)
            parts.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

} // namespace

ExfatImage::ExfatImage(ReadAt read) : read_(std::move(read))
{
    const std::vector<std::uint8_t> boot = this->read(0, 512);
    if (!std::equal(boot.begin() + 3, boot.begin() + 11, "EXFAT   "))
        throw ExfatError("not an exFAT boot sector");
    sectorSize_ = std::uint64_t{1} << std::min<std::uint8_t>(boot[108], 12);
    clusterSize_ = sectorSize_ << std::min<std::uint8_t>(boot[109], 25);
    fatOffset_ = little(boot, 80, 4) * sectorSize_;
    heapOffset_ = little(boot, 88, 4) * sectorSize_;
    clusterCount_ = static_cast<std::uint32_t>(little(boot, 92, 4));
    rootCluster_ = static_cast<std::uint32_t>(little(boot, 96, 4));
}

std::vector<std::uint8_t> ExfatImage::read(std::uint64_t offset, std::size_t size) const
{
    std::vector<std::uint8_t> bytes(size);
    if (!read_(offset, bytes))
        throw ExfatError("the image ends before byte " + std::to_string(offset + size));
    return bytes;
}

// The clusters holding size bytes from first on: contiguous ones, or
// those the allocation table chains (to its end mark when the size is not
// known). A chain that runs into a free, bad or repeated cluster ends
// there.
std::vector<std::uint32_t> ExfatImage::clusterChain(std::uint32_t first, std::optional<std::uint64_t> size,
                                                    bool contiguous) const
{
    std::vector<std::uint32_t> chain;
    const std::uint64_t wanted = size ? (*size + clusterSize_ - 1) / clusterSize_ : clusterCount_;
    const std::uint32_t last = kFirstCluster + clusterCount_;
    std::set<std::uint32_t> seen;
    for (std::uint32_t cluster = first; chain.size() < wanted && cluster >= kFirstCluster && cluster < last;) {
        if (!seen.insert(cluster).second)
            break;
        chain.push_back(cluster);
        cluster = contiguous ? cluster + 1
                             : static_cast<std::uint32_t>(little(read(fatOffset_ + std::uint64_t{cluster} * 4, 4), 0, 4));
    }
    return chain;
}

std::vector<std::uint8_t> ExfatImage::clusters(const std::vector<std::uint32_t>& chain) const
{
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t cluster : chain) {
        const auto data = read(heapOffset_ + std::uint64_t{cluster - kFirstCluster} * clusterSize_, clusterSize_);
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    return bytes;
}

// The folder's entry sets in use: a file entry, its stream entry and its
// name entries, all marked in use. A set broken off by another entry is
// passed over, as the kernel passes it.
std::vector<ExfatEntry> ExfatImage::entries(const std::vector<std::uint32_t>& chain) const
{
    const std::vector<std::uint8_t> folder = clusters(chain);
    std::vector<ExfatEntry> found;
    for (std::size_t at = 0; at + kEntrySize <= folder.size(); at += kEntrySize) {
        const std::uint8_t type = folder[at];
        if (type == kEndOfFolder)
            break;
        if (type != kFileEntry)
            continue;
        const std::size_t secondaries = folder[at + 1];
        const std::size_t end = at + (secondaries + 1) * kEntrySize;
        if (secondaries < 2 || end > folder.size() || folder[at + kEntrySize] != kStreamEntry)
            continue;
        const std::span<const std::uint8_t> set(folder.data() + at, end - at);
        bool names = true;
        for (std::size_t entry = 2; entry <= secondaries; ++entry)
            names = names && set[entry * kEntrySize] == kNameEntry;
        if (!names)
            continue;
        const std::span<const std::uint8_t> stream = set.subspan(kEntrySize, kEntrySize);
        ExfatEntry entry;
        entry.Name = setName(set, stream[3]);
        entry.Folder = (little(set, 4, 2) & kFolderAttribute) != 0;
        entry.ChecksumMatches = setChecksum(set) == little(set, 2, 2);
        entry.Contiguous = (stream[1] & kNoFatChain) != 0;
        entry.ValidSize = little(stream, 8, 8);
        entry.FirstCluster = static_cast<std::uint32_t>(little(stream, 20, 4));
        entry.Size = little(stream, 24, 8);
        found.push_back(entry);
        at = end - kEntrySize;
    }
    return found;
}

std::vector<ExfatEntry> ExfatImage::folder(const std::string& path) const
{
    std::vector<std::uint32_t> chain = clusterChain(rootCluster_, std::nullopt, false);
    for (const std::string& part : pathParts(path)) {
        const std::vector<ExfatEntry> inside = entries(chain);
        const auto sub = std::ranges::find_if(inside, [&](const ExfatEntry& e) { return sameName(e.Name, part); });
        if (sub == inside.end() || !sub->Folder)
            throw ExfatError("no folder " + path);
        chain = clusterChain(sub->FirstCluster, sub->Size, sub->Contiguous);
    }
    return entries(chain);
}

std::optional<std::vector<std::uint8_t>> ExfatImage::file(const std::string& path) const
{
    const std::size_t slash = path.find_last_of('/');
    const std::string name = path.substr(slash + 1);
    const std::vector<ExfatEntry> inside = folder(slash == std::string::npos ? "/" : path.substr(0, slash + 1));
    const auto found = std::ranges::find_if(inside, [&](const ExfatEntry& e) { return sameName(e.Name, name); });
    if (found == inside.end() || found->Folder)
        return std::nullopt;
    std::vector<std::uint8_t> bytes = clusters(clusterChain(found->FirstCluster, found->Size, found->Contiguous));
    if (bytes.size() < found->Size)
        throw ExfatError(path + ": the clusters end before the file's size");
    bytes.resize(found->Size);
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(std::min(found->ValidSize, found->Size)), bytes.end(), 0);
    return bytes;
}

ExfatImage::ReadAt readFromImageFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw ExfatError("cannot open " + path);
    const auto file = std::shared_ptr<int>(new int(fd), [](int* owned) {
        ::close(*owned);
        delete owned;
    });
    return [file](std::uint64_t offset, std::span<std::uint8_t> bytes) {
        return ::pread(*file, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
               static_cast<ssize_t>(bytes.size());
    };
}

} // namespace ostra::cardtest
