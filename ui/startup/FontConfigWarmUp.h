#pragma once

#include <thread>

namespace ostra {

// Loads the system's font configuration (its XML files and font caches,
// several milliseconds of work) on a thread of its own, while the main
// thread connects to the display and builds the window. The first text
// the window measures then finds it loaded instead of loading it there and
// then. Fontconfig loads its configuration once per process and safely
// from any thread, so Qt's own load, should it come first, costs no more
// than before. Waits for the thread when it goes.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::thread loader_;
};

} // namespace ostra
