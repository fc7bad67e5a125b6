#include "gif/GIFExtensions.h"

#include "gif/GIFExtensionRegistry.h"
#include "gif/GIFImage.h"
#include "gif/Stream.h"

#include <cstring>

namespace ostra {

namespace {

template <class T>
std::unique_ptr<TGIFExtension> create(TGIFSubImage& frame)
{
    return std::make_unique<T>(frame);
}

// Most classes are what their label says.
const TGIFExtensionClass* answerSelf(const TGIFExtensionClass& self, TStream&)
{
    return &self;
}

// Application extensions are told apart by the block that follows the label
// (on a repeated call for a subclass: by the first data sub-block):
//   size 10, 10 bytes there         -> unknown application extension
//   size 11, identifier there       -> the registered class, else unknown
//   size 12 or more, first call     -> unknown application extension
//   anything else                   -> the class asked, position restored
// No answer when the size byte, or the 10 bytes of a size-10 block, are missing.
const TGIFExtensionClass* resolveApplication(const TGIFExtensionClass& self, TStream& stream)
{
    const std::int64_t start = stream.Position();
    std::uint8_t size = 0;
    if (!ReadByte(stream, size))
        return nullptr;
    TGIFApplicationExtension::TIdentifier identifier{};
    if (size == 10)
        return ReadUpTo(stream, identifier.data(), 10) == 10 ? &TGIFUnknownAppExtension::Class() : nullptr;
    if (size == TGIFApplicationExtension::kIdentifierSize &&
        ReadUpTo(stream, identifier.data(), identifier.size()) == identifier.size()) {
        const TGIFExtensionClass* found = TAppExtensionList::Find(identifier);
        return found != nullptr ? found : &TGIFUnknownAppExtension::Class();
    }
    stream.SetPosition(start);
    // A block of 12 bytes or more keeps its identifier in its first 11 and
    // is read as an unknown extension, so that its data is not lost.
    if (size > TGIFApplicationExtension::kIdentifierSize && &self == &TGIFApplicationExtension::Class())
        return &TGIFUnknownAppExtension::Class();
    return &self;
}

} // namespace

TGIFExtension::TGIFExtension(TGIFSubImage& frame) : TGIFItem(frame.Image()), frame_(frame) {}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage& frame) : TGIFExtension(frame)
{
    if (frame.GraphicControl == nullptr)
        frame.GraphicControl = this;
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension()
{
    if (HasTransparentColor())
        SubImage().Transparent = false;
    if (SubImage().GraphicControl == this)
        SubImage().GraphicControl = nullptr;
}

const TGIFExtensionClass& TGIFGraphicControlExtension::Class()
{
    static const TGIFExtensionClass cls{"TGIFGraphicControlExtension", create<TGIFGraphicControlExtension>,
                                        answerSelf};
    return cls;
}

const TGIFExtensionClass& TGIFTextExtension::Class()
{
    static const TGIFExtensionClass cls{"TGIFTextExtension", create<TGIFTextExtension>, answerSelf};
    return cls;
}

const TGIFExtensionClass& TGIFCommentExtension::Class()
{
    static const TGIFExtensionClass cls{"TGIFCommentExtension", create<TGIFCommentExtension>, answerSelf};
    return cls;
}

// The base class is never created for a stream: resolving always answers a
// subclass that can read the data sub-blocks, or refuses the extension.
const TGIFExtensionClass& TGIFApplicationExtension::Class()
{
    static const TGIFExtensionClass cls{"TGIFApplicationExtension", create<TGIFUnknownAppExtension>,
                                        resolveApplication};
    return cls;
}

const TGIFExtensionClass& TGIFUnknownAppExtension::Class()
{
    static const TGIFExtensionClass cls{"TGIFUnknownAppExtension", create<TGIFUnknownAppExtension>,
                                        resolveApplication};
    return cls;
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage& frame) : TGIFApplicationExtension(frame)
{
    std::memcpy(Identifier.data(), "NETSCAPE2.0", kIdentifierSize);
}

const TGIFExtensionClass& TGIFAppExtNSLoop::Class()
{
    static const TGIFExtensionClass cls{"TGIFAppExtNSLoop", create<TGIFAppExtNSLoop>, resolveApplication};
    return cls;
}

} // namespace ostra
