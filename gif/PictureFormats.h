#pragma once

#include "gif/Graphic.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostra {

class TStream;

// One registered picture format: the class that reads it, the file
// extension and the description a file dialog would show.
struct TPictureFormat {
    std::string ClassName;
    std::string Extension;
    std::string Description;
    std::function<std::unique_ptr<TGraphic>()> Create;
};

// The program's registry of picture formats, keyed by class name (a stored
// picture names its class). A later registration of a name wins.
namespace TPictureFormats {
void Register(TPictureFormat format);
void Unregister(const std::string& className);
const TPictureFormat* FindClassName(const std::string& className);
const TPictureFormat* FindExtension(const std::string& extension);
} // namespace TPictureFormats

// Reads a stored picture: its class name as a text of one length byte and
// that many characters, then the picture's own data. Raises EInvalidGraphic
// "Unknown picture format: " + name when no format has that class name.
std::unique_ptr<TGraphic> ReadStoredPicture(TStream& stream);

} // namespace ostra
