#include "gif/GIFLibrary.h"

#include "gif/GIFExtensionRegistry.h"
#include "gif/GIFImage.h"
#include "gif/PictureFormats.h"

namespace ostra {

namespace {

bool initialized = false;

} // namespace

void InitializeGIFLibrary()
{
    if (initialized)
        return;
    initialized = true;
    TPictureFormats::Register(
        {TGIFImage::kClassName, "GIF", "GIF Image", [] { return std::make_unique<TGIFImage>(); }});
}

void FinalizeGIFLibrary()
{
    if (!initialized)
        return;
    initialized = false;
    TPictureFormats::Unregister(TGIFImage::kClassName);
    FreeExtensionRegistries();
}

} // namespace ostra
