// Library start-up and the picture-format registry that finds TGIFImage
// for a stored picture.
#include "gif/GIFLibrary.h"
#include "gif/GifBytes.h"
#include "gif/PictureFormats.h"

#include <gtest/gtest.h>

namespace ostra::test {
namespace {

// The class name as a length-prefixed text, then the picture's bytes.
Bytes storedPicture(const std::string& className, const Bytes& data)
{
    return Join({{static_cast<std::uint8_t>(className.size())}, Bytes(className.begin(), className.end()), data});
}

const Bytes kPicture = Join({Header(2, 2), ImageDescriptor(2, 2), TwoByTwoImageData(), {0x3B}});

TEST(PictureFormatsTest, StartUpRegistersGIFAndShutDownWithdrawsIt)
{
    {
        TGIFLibrary library;
        InitializeGIFLibrary(); // a second start-up changes nothing
        const TPictureFormat* format = TPictureFormats::FindClassName("TGIFImage");
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->Extension, "GIF");
        EXPECT_EQ(format->Description, "GIF Image");
        EXPECT_EQ(TPictureFormats::FindExtension("gif"), format);
        EXPECT_EQ(TPictureFormats::FindClassName("TGIFImageX"), nullptr);
    }
    EXPECT_EQ(TPictureFormats::FindClassName("TGIFImage"), nullptr);
    EXPECT_EQ(TPictureFormats::FindExtension("GIF"), nullptr);
}

TEST(PictureFormatsTest, StoredPictureIsReadByItsClass)
{
    TGIFLibrary library;
    const Bytes bytes = storedPicture("TGIFImage", kPicture);
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    std::unique_ptr<TGraphic> picture = ReadStoredPicture(stream);
    auto* gif = dynamic_cast<TGIFImage*>(picture.get());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->Width(), 2);
    ASSERT_EQ(gif->Frames.Count(), 1u);
    EXPECT_EQ(gif->Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(bytes.size()));
}

TEST(PictureFormatsTest, UnknownStoredClassIsRefused)
{
    TGIFLibrary library;
    const Bytes bytes = storedPicture("TBitmap", kPicture);
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    try {
        ReadStoredPicture(stream);
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Unknown picture format: TBitmap");
    }
}

TEST(PictureFormatsTest, LaterRegistrationOfANameWins)
{
    TGIFLibrary library;
    TPictureFormats::Register({"TGIFImage", "GIF", "Other", [] { return std::make_unique<TGIFImage>(); }});
    EXPECT_EQ(TPictureFormats::FindClassName("TGIFImage")->Description, "Other");
    TPictureFormats::Unregister("TGIFImage"); // both go
    EXPECT_EQ(TPictureFormats::FindClassName("TGIFImage"), nullptr);
}

} // namespace
} // namespace ostra::test
