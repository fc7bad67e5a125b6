// Start-up runs the GIF library before it creates the main window, so the
// window finds the picture format of its stored logo; the widget tests do
// the same once for the whole run.
#include <optional>

#include <gtest/gtest.h>

#include "ui/startup/GIFStartUp.h"

namespace ostra::test {
namespace {

class GIFLibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { library_.emplace(); }
    void TearDown() override { library_.reset(); }

private:
    std::optional<GIFStartUp> library_;
};

[[maybe_unused]] const ::testing::Environment* const kGIFLibrary =
    ::testing::AddGlobalTestEnvironment(new GIFLibraryEnvironment);

} // namespace
} // namespace ostra::test
