// The main window's logo: the stored picture compiled into the program,
// read through the registry of picture formats, drawn by Image1.
#include "ui/main/Unit1.h"

#include <cstdint>
#include <span>

#include <QByteArray>
#include <QPainter>

#include "gif/GIFImage.h"
#include "gif/PictureFormats.h"
#include "gif/Stream.h"
#include "gif/render/Drawing.h"
#include "resources/Resources.h"
#include "ui/widgets/LogoImage.h"

namespace ostra {

namespace {

constexpr const char* kStoredLogo = "Image1.Picture.bin";

// The stored picture: its class name as one length byte and the name, then
// the picture's own data. None when it is missing, names a format that is
// not registered, is not a GIF picture or cannot be read.
std::unique_ptr<TGIFImage> readStoredLogo()
{
    const QByteArray stored = ReadResource(kStoredLogo);
    TMemoryStream stream(std::span(reinterpret_cast<const std::uint8_t*>(stored.constData()),
                                   static_cast<std::size_t>(stored.size())));
    try {
        std::unique_ptr<TGraphic> picture = ReadStoredPicture(stream);
        if (auto* gif = dynamic_cast<TGIFImage*>(picture.get())) {
            picture.release();
            return std::unique_ptr<TGIFImage>(gif);
        }
    } catch (const Exception&) {
        // A window without its logo is still a whole editor: show nothing.
    }
    return nullptr;
}

} // namespace

QString LogoHint()
{
    return QString("Go to ") + kMakerWebSite;
}

// Image1 takes the picture's size and draws the whole picture, unscaled,
// at every paint; the transparent pixels leave the window's own colour.
void TForm1::loadLogo()
{
    Image1Picture = readStoredLogo();
    if (!Image1Picture)
        return;
    TGIFImage* picture = Image1Picture.get();
    Image1->resize(picture->Width(), picture->Height());
    Image1->SetPaintFunction([picture](QPainter& painter, const QRect&) {
        Draw(*picture, painter, QRect(0, 0, picture->Width(), picture->Height()));
    });
}

} // namespace ostra
