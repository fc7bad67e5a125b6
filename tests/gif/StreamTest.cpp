// The byte streams the reader works on.
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ostra::test {
namespace {

TEST(StreamTest, MemoryStreamReadsUpToItsEndAndSeeksAnywhere)
{
    TMemoryStream stream(Bytes{1, 2, 3, 4, 5});
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 2), 2u);
    EXPECT_EQ(buffer[1], 2);
    stream.Seek(-1);
    EXPECT_EQ(stream.Position(), 1);
    EXPECT_EQ(stream.Read(buffer, 8), 4u);
    EXPECT_EQ(buffer[3], 5);
    stream.SetPosition(9);
    EXPECT_EQ(stream.Read(buffer, 1), 0u);
    EXPECT_EQ(stream.Size(), 5);
}

TEST(StreamTest, ReadExactRaisesWhenShort)
{
    TMemoryStream stream(Bytes{1, 2, 3});
    std::uint8_t buffer[4];
    ReadExact(stream, buffer, 2);
    try {
        ReadExact(stream, buffer, 2);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Premature end of data");
    }
}

TEST(StreamTest, PictureLoadsFromAFile)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "ostra_gif_stream_test.gif";
    const Bytes bytes = Join({Header(2, 2), ImageDescriptor(2, 2), TwoByTwoImageData(), {0x3B}});
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    TGIFImage picture;
    picture.LoadFromFile(path.string());
    std::filesystem::remove(path);
    ASSERT_EQ(picture.Frames.Count(), 1u);
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
    EXPECT_THROW(picture.LoadFromFile(path.string()), GIFException);
}

} // namespace
} // namespace ostra::test
