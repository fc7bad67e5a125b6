#pragma once

#include "gif/GIFExtensions.h"

#include <cstdint>

namespace ostra {

class TStream;

// Registry of extension classes by label. Created on first use; a later
// registration of the same label wins.
namespace TExtensionList {
void Register(std::uint8_t label, const TGIFExtensionClass& cls);
const TGIFExtensionClass* Find(std::uint8_t label);
} // namespace TExtensionList

// Registry of application extension classes by their 11-byte identifier
// (compared exactly). Created on first use; later registrations win.
namespace TAppExtensionList {
void Register(const TGIFApplicationExtension::TIdentifier& identifier, const TGIFExtensionClass& cls);
const TGIFExtensionClass* Find(const TGIFApplicationExtension::TIdentifier& identifier);
} // namespace TAppExtensionList

// Frees both registries (library shut-down); the next look-up creates them
// again with the library's own classes.
void FreeExtensionRegistries();

// The class of the extension whose introducer the stream has just passed:
// the registered class for the label, refined by the bytes that follow.
// None when the label cannot be read or is not registered. The stream is
// set back to just after the introducer.
const TGIFExtensionClass* FindExtensionClass(TStream& stream);

} // namespace ostra
