#pragma once

#include "gif/GIFItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ostra {

class TGIFExtension;
class TGIFSubImage;

// What the registries hold for an extension class: how to create one for a
// frame and how to refine the class after looking at the bytes that follow
// the label (the stream stands after the label).
struct TGIFExtensionClass {
    const char* Name;
    std::unique_ptr<TGIFExtension> (*Create)(TGIFSubImage& frame);
    const TGIFExtensionClass* (*ResolveExtensionClass)(const TGIFExtensionClass& self, TStream& stream);
};

// Base of all extensions; belongs to one frame, whose picture owns it.
// Ownership runs one way: the frame's Extensions frees its extensions, and
// an extension never looks itself up in that list (freeing a frame of n
// extensions costs n steps, not n squared).
class TGIFExtension : public TGIFItem {
public:
    explicit TGIFExtension(TGIFSubImage& frame);

    int RequiredVersion() const override { return 2; }
    virtual std::uint8_t ExtensionLabel() const = 0;
    virtual const TGIFExtensionClass& ClassType() const = 0;

    TGIFSubImage& SubImage() const { return frame_; }

protected:
    // Reads the introducer and the label and checks them against this class.
    void readIntroducerAndLabel(TStream& stream);

private:
    TGIFSubImage& frame_;
};

// 0x21 0xF9: disposal, transparency and delay of the frame.
//   +0 block size (4)  +1 packed: bits 2-4 disposal, bit 1 user input,
//   bit 0 transparent index given  +2 delay (u16 LE, 1/100 s)
//   +4 transparent index  +5 terminator
class TGIFGraphicControlExtension final : public TGIFExtension {
public:
    static constexpr std::uint8_t kLabel = 0xF9;
    static const TGIFExtensionClass& Class();

    // Becomes the frame's GraphicControl when the frame has none yet.
    explicit TGIFGraphicControlExtension(TGIFSubImage& frame);
    // Clears the frame's Transparent (when this one set it) and GraphicControl.
    ~TGIFGraphicControlExtension() override;

    std::uint8_t ExtensionLabel() const override { return kLabel; }
    const TGIFExtensionClass& ClassType() const override { return Class(); }
    void LoadFromStream(TStream& stream) override;

    bool HasTransparentColor() const { return (PackedFields & 0x01) != 0; }
    int Disposal() const { return (PackedFields >> 2) & 0x07; }

    std::uint8_t BlockSize = 4;
    std::uint8_t PackedFields = 0;
    std::uint16_t Delay = 0;
    std::uint8_t TransparentColorIndex = 0;
    std::uint8_t Terminator = 0;
};

// 0x21 0x01: plain text drawn over the logical screen.
class TGIFTextExtension final : public TGIFExtension {
public:
    static constexpr std::uint8_t kLabel = 0x01;
    static const TGIFExtensionClass& Class();

    using TGIFExtension::TGIFExtension;
    std::uint8_t ExtensionLabel() const override { return kLabel; }
    const TGIFExtensionClass& ClassType() const override { return Class(); }
    void LoadFromStream(TStream& stream) override;

    std::uint8_t BlockSize = 12;
    std::uint16_t Left = 0;
    std::uint16_t Top = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t CellWidth = 0;
    std::uint8_t CellHeight = 0;
    std::uint8_t ForegroundColorIndex = 0;
    std::uint8_t BackgroundColorIndex = 0;
    // One line per data sub-block, each ending at its first 0 byte.
    std::vector<std::string> Text;
};

// 0x21 0xFE: free text.
class TGIFCommentExtension final : public TGIFExtension {
public:
    static constexpr std::uint8_t kLabel = 0xFE;
    static const TGIFExtensionClass& Class();

    using TGIFExtension::TGIFExtension;
    std::uint8_t ExtensionLabel() const override { return kLabel; }
    const TGIFExtensionClass& ClassType() const override { return Class(); }
    void LoadFromStream(TStream& stream) override;

    std::vector<std::string> Text;
};

// 0x21 0xFF: base of the application extension kinds. The identifier is the
// 8-byte application name followed by the 3-byte authentication code.
class TGIFApplicationExtension : public TGIFExtension {
public:
    static constexpr std::uint8_t kLabel = 0xFF;
    static constexpr std::size_t kIdentifierSize = 11;
    using TIdentifier = std::array<std::uint8_t, kIdentifierSize>;
    static const TGIFExtensionClass& Class();

    using TGIFExtension::TGIFExtension;
    std::uint8_t ExtensionLabel() const override { return kLabel; }
    const TGIFExtensionClass& ClassType() const override { return Class(); }
    void LoadFromStream(TStream& stream) override;
    // Reads the data sub-blocks that follow the identifier.
    virtual void LoadAppData(TStream& stream) = 0;

    std::string IdentifierText() const { return std::string(Identifier.begin(), Identifier.end()); }

    TIdentifier Identifier{};
};

// One raw data sub-block of an unknown application extension.
struct TGIFBlock {
    std::uint8_t Size = 0;
    std::vector<std::uint8_t> Data;
};

// Any application extension without a class of its own; keeps its data.
class TGIFUnknownAppExtension final : public TGIFApplicationExtension {
public:
    static const TGIFExtensionClass& Class();

    using TGIFApplicationExtension::TGIFApplicationExtension;
    const TGIFExtensionClass& ClassType() const override { return Class(); }
    void LoadAppData(TStream& stream) override;

    std::vector<TGIFBlock> Blocks;
};

// "NETSCAPE2.0" (or "ANIMEXTS1.0"): the animation's repeat count.
class TGIFAppExtNSLoop final : public TGIFApplicationExtension {
public:
    static const TGIFExtensionClass& Class();

    explicit TGIFAppExtNSLoop(TGIFSubImage& frame);
    const TGIFExtensionClass& ClassType() const override { return Class(); }
    void LoadAppData(TStream& stream) override;

    std::uint16_t Loops = 0;      // as read; 0 means endless to the painter
    std::uint32_t BufferSize = 0;
};

// The extensions that precede one frame, in stream order.
class TGIFExtensionList final : public TGIFTypedList<TGIFExtension> {
public:
    using TGIFTypedList::TGIFTypedList;
    // parent: the frame the extensions belong to.
    void LoadFromStream(TStream& stream, TPersistent& parent) override;
};

} // namespace ostra
