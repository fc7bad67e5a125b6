#include "gif/PictureFormats.h"

#include "gif/GIFException.h"
#include "gif/Stream.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace ostra {

namespace {

std::vector<TPictureFormat>& formats()
{
    static std::vector<TPictureFormat> registered;
    return registered;
}

bool sameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

// The most recent registration first.
template <class Match>
const TPictureFormat* findLast(Match match)
{
    const auto& all = formats();
    const auto found = std::find_if(all.rbegin(), all.rend(), match);
    return found == all.rend() ? nullptr : &*found;
}

} // namespace

void TPictureFormats::Register(TPictureFormat format)
{
    formats().push_back(std::move(format));
}

void TPictureFormats::Unregister(const std::string& className)
{
    auto& all = formats();
    std::erase_if(all, [&](const TPictureFormat& f) { return f.ClassName == className; });
}

const TPictureFormat* TPictureFormats::FindClassName(const std::string& className)
{
    return findLast([&](const TPictureFormat& f) { return f.ClassName == className; });
}

const TPictureFormat* TPictureFormats::FindExtension(const std::string& extension)
{
    return findLast([&](const TPictureFormat& f) { return sameTextIgnoringCase(f.Extension, extension); });
}

std::unique_ptr<TGraphic> ReadStoredPicture(TStream& stream)
{
    std::uint8_t length = 0;
    ReadExact(stream, &length, 1);
    std::string className(length, '\0');
    ReadExact(stream, className.data(), length);
    const TPictureFormat* format = TPictureFormats::FindClassName(className);
    if (format == nullptr)
        throw EInvalidGraphic("Unknown picture format: " + className);
    std::unique_ptr<TGraphic> picture = format->Create();
    picture->LoadFromStream(stream);
    return picture;
}

} // namespace ostra
