#pragma once

#include <cerrno>

#include "platform/FileApi.h"

namespace ostra {

// Runs one system call, retrying while a signal interrupts it: the call's
// result, or the error number it failed with.
template <typename Call>
FileResult posixCall(Call call)
{
    for (;;) {
        const long long value = call();
        if (value >= 0)
            return {value, 0};
        if (errno != EINTR)
            return {value, errno};
    }
}

} // namespace ostra
