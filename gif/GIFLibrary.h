#pragma once

namespace ostra {

// Library start-up: registers TGIFImage as the picture format "GIF"
// ("GIF Image"). Shut-down withdraws it and frees the extension registries.
// Start-up after start-up, or shut-down without start-up, does nothing.
void InitializeGIFLibrary();
void FinalizeGIFLibrary();

// Start-up for the lifetime of a scope (the program's main).
class TGIFLibrary {
public:
    TGIFLibrary() { InitializeGIFLibrary(); }
    ~TGIFLibrary() { FinalizeGIFLibrary(); }
    TGIFLibrary(const TGIFLibrary&) = delete;
    TGIFLibrary& operator=(const TGIFLibrary&) = delete;
};

} // namespace ostra
