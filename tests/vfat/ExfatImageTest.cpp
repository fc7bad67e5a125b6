// The exFAT reader on an image written here by hand: 512-byte sectors and
// clusters, the allocation table in sector 1, the cluster heap from sector
// 2 on (cluster 2 first), the root folder in clusters 2 and 3.
#include "ExfatImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace ostra::cardtest {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kSector = 512;
constexpr std::size_t kClusters = 16;

void putLittle(Bytes& bytes, std::size_t at, std::uint64_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct SetLayout {
    std::string name;
    std::uint32_t firstCluster;
    std::uint64_t size;
    std::uint64_t validSize;
    bool contiguous;
    bool folder = false;
};

// A file entry, its stream entry and its name entries, with the checksum.
Bytes entrySet(const SetLayout& layout)
{
    const std::size_t nameEntries = (layout.name.size() + 14) / 15;
    Bytes set((2 + nameEntries) * 32, 0);
    set[0] = 0x85;
    set[1] = static_cast<std::uint8_t>(1 + nameEntries);
    putLittle(set, 4, layout.folder ? 0x10 : 0x20, 2);
    set[32] = 0xC0;
    set[33] = static_cast<std::uint8_t>(0x01 | (layout.contiguous ? 0x02 : 0));
    set[35] = static_cast<std::uint8_t>(layout.name.size());
    putLittle(set, 40, layout.validSize, 8);
    putLittle(set, 52, layout.firstCluster, 4);
    putLittle(set, 56, layout.size, 8);
    for (std::size_t c = 0; c < layout.name.size(); ++c) {
        const std::size_t entry = 2 + c / 15;
        set[entry * 32] = 0xC1;
        putLittle(set, entry * 32 + 2 + 2 * (c % 15), static_cast<unsigned char>(layout.name[c]), 2);
    }
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < set.size(); ++i)
        if (i != 2 && i != 3)
            sum = static_cast<std::uint16_t>(((sum & 1) ? 0x8000 : 0) + (sum >> 1) + set[i]);
    putLittle(set, 2, sum, 2);
    return set;
}

Bytes deleted(Bytes set)
{
    for (std::size_t at = 0; at < set.size(); at += 32)
        set[at] &= 0x7F;
    return set;
}

class HandMadeImage {
public:
    HandMadeImage() : bytes_((2 + kClusters) * kSector, 0)
    {
        std::memcpy(&bytes_[3], "EXFAT   ", 8);
        putLittle(bytes_, 80, 1, 4);         // allocation table in sector 1
        putLittle(bytes_, 88, 2, 4);         // cluster heap from sector 2
        putLittle(bytes_, 92, kClusters, 4); // cluster count
        putLittle(bytes_, 96, 2, 4);         // root folder
        bytes_[108] = 9;                     // 512-byte sectors
        bytes_[109] = 0;                     // one sector a cluster
        chain({2, 3});
    }

    void chain(const std::vector<std::uint32_t>& clusters)
    {
        for (std::size_t i = 0; i < clusters.size(); ++i)
            putLittle(bytes_, kSector + clusters[i] * 4, i + 1 < clusters.size() ? clusters[i + 1] : 0xFFFFFFFF, 4);
    }
    void put(std::uint32_t cluster, std::size_t offset, const Bytes& data)
    {
        std::ranges::copy(data, bytes_.begin() + static_cast<std::ptrdiff_t>((cluster) * kSector + offset));
    }
    Bytes& bytes() { return bytes_; }
    ExfatImage image()
    {
        return ExfatImage([this](std::uint64_t offset, std::span<std::uint8_t> out) {
            if (offset + out.size() > bytes_.size())
                return false;
            std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
            return true;
        });
    }

private:
    Bytes bytes_;
};

Bytes filled(std::size_t size, std::uint8_t value)
{
    return Bytes(size, value);
}

// The root: a label, a deleted A.CFG, the live A.CFG (chained clusters 5
// and 7, 700 bytes of which 600 written), a second a.cfg, a set broken
// off, the folder NEW; in its second cluster B.CFG, the folder's end, and
// C.CFG behind it. NEW holds a long-named file in contiguous clusters.
class ExfatImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bytes root;
        auto add = [&](const Bytes& entries) { root.insert(root.end(), entries.begin(), entries.end()); };
        Bytes label(32, 0);
        label[0] = 0x83;
        add(label);
        add(deleted(entrySet({"A.CFG", 10, 512, 512, true})));
        add(entrySet({"A.CFG", 5, 700, 600, false}));
        add(entrySet({"a.cfg", 9, 512, 512, true}));
        Bytes broken = entrySet({"D.CFG", 9, 512, 512, true});
        broken[32] = 0xC1; // a name entry where the stream entry belongs
        add(broken);
        add(entrySet({"NEW", 11, 512, 512, true, true}));
        ASSERT_EQ(root.size(), 16u * 32); // the first cluster full
        card.put(2, 0, root);

        Bytes second = entrySet({"B.CFG", 14, 1, 1, true});
        second.resize(second.size() + 32, 0); // the folder's end
        const Bytes behind = entrySet({"C.CFG", 14, 1, 1, true});
        second.insert(second.end(), behind.begin(), behind.end());
        card.put(3, 0, second);

        card.chain({5, 7});
        card.put(5, 0, filled(512, 0xA5));
        card.put(7, 0, filled(512, 0xA7));
        card.put(9, 0, filled(512, 0x99));
        card.put(11, 0, entrySet({"LONGER-NAME-THAN-15.CFG", 12, 1024, 1024, true}));
        card.put(12, 0, filled(512, 0x12));
        card.put(13, 0, filled(512, 0x13));
        card.put(14, 0, filled(1, 0x14));
    }

    HandMadeImage card;
};

TEST_F(ExfatImageTest, ListsTheSetsInUseUpToTheFoldersEnd)
{
    std::vector<std::string> names;
    for (const ExfatEntry& entry : card.image().folder("/"))
        names.push_back(entry.Name + (entry.Folder ? "/" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{"A.CFG", "a.cfg", "NEW/", "B.CFG"}));
}

TEST_F(ExfatImageTest, ReadsTheFirstSetOfANameAsTheKernelFindsIt)
{
    struct Case {
        const char* path;
        std::optional<Bytes> expected;
    };
    Bytes chained = filled(512, 0xA5);
    chained.resize(600, 0xA7);
    chained.resize(700, 0); // beyond the valid size
    Bytes contiguous = filled(512, 0x12);
    contiguous.resize(1024, 0x13);
    const Case cases[] = {
        {"/A.CFG", chained},
        {"/a.cfg", chained},
        {"/B.CFG", filled(1, 0x14)},
        {"/NEW/LONGER-NAME-THAN-15.CFG", contiguous},
        {"/C.CFG", std::nullopt}, // behind the folder's end
        {"/D.CFG", std::nullopt}, // a broken set
        {"/NEW", std::nullopt},   // a folder
    };
    const ExfatImage image = card.image();
    for (const Case& row : cases) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(image.file(row.path), row.expected);
    }
}

TEST_F(ExfatImageTest, TellsAMatchingChecksumFromAChangedSet)
{
    card.bytes()[2 * kSector + 9 * 32 + 2] = 'X'; // a.cfg's name becomes X.cfg
    const std::vector<ExfatEntry> root = card.image().folder("/");
    ASSERT_EQ(root.size(), 4u);
    EXPECT_TRUE(root[0].ChecksumMatches);
    EXPECT_EQ(root[1].Name, "X.cfg");
    EXPECT_FALSE(root[1].ChecksumMatches);
}

TEST_F(ExfatImageTest, RaisesOnWhatItCannotRead)
{
    card.chain({5}); // A.CFG's chain now ends after one of its two clusters
    EXPECT_THROW(card.image().file("/A.CFG"), ExfatError);
    EXPECT_THROW(card.image().folder("/MISSING"), ExfatError);
    card.bytes()[3] = 'F';
    EXPECT_THROW(card.image(), ExfatError);
}

} // namespace
} // namespace ostra::cardtest
