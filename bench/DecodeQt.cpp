#include "bench/Decoders.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace ostra::bench {

// Qt's own GIF plug-in, the way a Qt program reads a picture: every frame.
std::uint64_t DecodeWithQt(std::span<const std::uint8_t> file)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    std::uint64_t sum = 0;
    QImage image;
    while (reader.read(&image)) {
        sum += SampleSum(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
        if (!reader.canRead()) {
            break;
        }
    }
    return sum;
}

} // namespace ostra::bench
