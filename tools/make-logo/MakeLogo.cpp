// Generates the maker's logo as the main window stores it:
//
//   ostra-make-logo OUT_DIR
//
// draws the badge, reduces it to 31 colours, marks the pixels outside the
// badge with the transparent index 31 and writes OUT_DIR/logo.gif (GIF89a,
// 204 x 42, a 32-entry global colour table, background 31, one frame with a
// Graphic Control Extension making index 31 transparent) and
// OUT_DIR/Image1.Picture.bin (the picture's class name as one length byte
// and its characters, then the GIF bytes). The same fonts give the same
// bytes on every run.
//
// It also draws the application icon from the badge at each icon size and
// writes OUT_DIR/icons/<N>x<N>.png, which the windows and the installed
// desktop entry show.
#include "IconArtwork.h"
#include "LogoArtwork.h"
#include "MedianCut.h"

#include "support/gif/GifBuilder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace ostra;

constexpr std::uint8_t kTransparentIndex = 31;
constexpr int kOpaqueColors = 31;
constexpr int kMinimumCodeSize = 5;
// Index 31 never shows; a viewer that ignores transparency paints it in
// the classic button-face grey the window shows there.
constexpr QRgb kTransparentColor = qRgb(0xD4, 0xD0, 0xC8);
const std::string kPictureClassName = "TGIFImage";

struct IndexedLogo {
    std::vector<QRgb> Palette;         // 32 entries
    std::vector<std::uint8_t> Pixels;  // one index per pixel, rows top to bottom
};

IndexedLogo reduce(const logo::Artwork& art)
{
    std::vector<QRgb> inside;
    for (int y = 0; y < logo::kHeight; ++y)
        for (int x = 0; x < logo::kWidth; ++x)
            if (!art.Outside[static_cast<std::size_t>(y) * logo::kWidth + x])
                inside.push_back(art.Picture.pixel(x, y));
    IndexedLogo result{logo::MedianCutPalette(inside, kOpaqueColors), {}};
    result.Palette.resize(kOpaqueColors, qRgb(0, 0, 0));
    result.Palette.push_back(kTransparentColor);
    for (int y = 0; y < logo::kHeight; ++y)
        for (int x = 0; x < logo::kWidth; ++x)
            result.Pixels.push_back(art.Outside[static_cast<std::size_t>(y) * logo::kWidth + x]
                                        ? kTransparentIndex
                                        : logo::NearestIndex(result.Palette, art.Picture.pixel(x, y)));
    return result;
}

std::vector<std::uint8_t> encodeGif(const IndexedLogo& logo)
{
    std::vector<test::Rgb> colors;
    for (QRgb c : logo.Palette)
        colors.push_back({static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                          static_cast<std::uint8_t>(qBlue(c))});
    return test::GifBuilder()
        .screen(logo::kWidth, logo::kHeight)
        .globalColorTable(colors)
        .background(kTransparentIndex)
        .graphicControl({.transparentIndex = kTransparentIndex})
        .frame({.width = logo::kWidth,
                .height = logo::kHeight,
                .pixels = logo.Pixels,
                .lzw = {.minimumCodeSize = kMinimumCodeSize}})
        .build();
}

QByteArray storedPicture(const std::vector<std::uint8_t>& gif)
{
    QByteArray stored;
    stored.append(static_cast<char>(kPictureClassName.size()));
    stored.append(kPictureClassName.data(), static_cast<qsizetype>(kPictureClassName.size()));
    stored.append(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size()));
    return stored;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::printf("%s (%lld bytes)\n", qUtf8Printable(path), static_cast<long long>(bytes.size()));
    return true;
}

bool writeIcons(const QDir& out)
{
    const QString folder = out.filePath(QStringLiteral("icons"));
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qUtf8Printable(folder));
        return false;
    }
    for (int size : logo::kIconSizes) {
        const QString path = QDir(folder).filePath(QStringLiteral("%1x%1.png").arg(size));
        QImageWriter writer(path, "png");
        if (!writer.write(logo::DrawIcon(size))) {
            std::fprintf(stderr, "cannot write %s: %s\n", qUtf8Printable(path), qUtf8Printable(writer.errorString()));
            return false;
        }
        std::printf("%s\n", qUtf8Printable(path));
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
        return 2;
    }
    // Fonts need a GUI application, not a display.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    QGuiApplication application(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const std::vector<std::uint8_t> gif = encodeGif(reduce(logo::DrawBadge()));
    const QByteArray gifBytes(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size()));
    const bool written = writeFile(out.filePath(QStringLiteral("logo.gif")), gifBytes) &&
                         writeFile(out.filePath(QStringLiteral("Image1.Picture.bin")), storedPicture(gif)) &&
                         writeIcons(out);
    return written ? 0 : 1;
}
