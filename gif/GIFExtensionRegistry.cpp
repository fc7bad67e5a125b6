#include "gif/GIFExtensionRegistry.h"

#include "gif/Stream.h"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace ostra {

namespace {

using TLabelEntry = std::pair<std::uint8_t, const TGIFExtensionClass*>;
using TIdentifierEntry = std::pair<TGIFApplicationExtension::TIdentifier, const TGIFExtensionClass*>;

struct TRegistries {
    std::vector<TLabelEntry> Extensions;
    std::vector<TIdentifierEntry> Applications;
};

TGIFApplicationExtension::TIdentifier identifierOf(const char (&text)[12])
{
    TGIFApplicationExtension::TIdentifier identifier{};
    std::memcpy(identifier.data(), text, identifier.size());
    return identifier;
}

std::unique_ptr<TRegistries>& registriesSlot()
{
    static std::unique_ptr<TRegistries> registries;
    return registries;
}

// Created on first use with the library's own classes.
TRegistries& registries()
{
    std::unique_ptr<TRegistries>& slot = registriesSlot();
    if (!slot) {
        slot = std::make_unique<TRegistries>();
        slot->Extensions = {
            {TGIFTextExtension::kLabel, &TGIFTextExtension::Class()},
            {TGIFGraphicControlExtension::kLabel, &TGIFGraphicControlExtension::Class()},
            {TGIFCommentExtension::kLabel, &TGIFCommentExtension::Class()},
            {TGIFApplicationExtension::kLabel, &TGIFApplicationExtension::Class()},
        };
        slot->Applications = {
            {identifierOf("NETSCAPE2.0"), &TGIFAppExtNSLoop::Class()},
            {identifierOf("ANIMEXTS1.0"), &TGIFAppExtNSLoop::Class()},
        };
    }
    return *slot;
}

// Looked up from the most recent registration backwards.
template <class Key>
const TGIFExtensionClass* findLast(const std::vector<std::pair<Key, const TGIFExtensionClass*>>& entries,
                                   const Key& key)
{
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (entry->first == key)
            return entry->second;
    return nullptr;
}

} // namespace

void TExtensionList::Register(std::uint8_t label, const TGIFExtensionClass& cls)
{
    registries().Extensions.emplace_back(label, &cls);
}

const TGIFExtensionClass* TExtensionList::Find(std::uint8_t label)
{
    return findLast(registries().Extensions, label);
}

void TAppExtensionList::Register(const TGIFApplicationExtension::TIdentifier& identifier,
                                 const TGIFExtensionClass& cls)
{
    registries().Applications.emplace_back(identifier, &cls);
}

const TGIFExtensionClass* TAppExtensionList::Find(const TGIFApplicationExtension::TIdentifier& identifier)
{
    return findLast(registries().Applications, identifier);
}

void FreeExtensionRegistries()
{
    registriesSlot().reset();
}

const TGIFExtensionClass* FindExtensionClass(TStream& stream)
{
    const std::int64_t start = stream.Position();
    std::uint8_t label = 0;
    const TGIFExtensionClass* cls = nullptr;
    if (ReadByte(stream, label))
        cls = TExtensionList::Find(label);
    // Each class may hand over to a more specific one; the search ends when
    // a class answers itself or nothing.
    while (cls != nullptr) {
        const TGIFExtensionClass* refined = cls->ResolveExtensionClass(*cls, stream);
        if (refined == cls)
            break;
        cls = refined;
    }
    stream.SetPosition(start);
    return cls;
}

} // namespace ostra
