#pragma once

#include <cstdlib>
#include <cstring>
#include <string_view>

#include <gtest/gtest.h>

namespace ostra::test {

// Called where a test cannot go on because a tool it reads its results
// with is not installed; the test then skips. On CI, where
// scripts/install-deps has installed every such tool, a missing one means
// the list is wrong, so the test fails as well: a stage must not pass
// without testing.
inline void NoteMissingTool(std::string_view tool)
{
    const char* ci = std::getenv("CI");
    if (ci != nullptr && std::strcmp(ci, "true") == 0)
        ADD_FAILURE() << tool << " is not installed, though CI runs with every tool scripts/install-deps installs";
}

} // namespace ostra::test
