#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Exception.h"

namespace ostra::cli {

// A value that a field cannot take. The message says what is wrong; the
// caller knows the place (a document path or a command-line argument).
// SubPlace, when set, narrows the place inside the value (a document path
// such as "/2" for the third item of a list).
class ValueError : public std::runtime_error {
public:
    explicit ValueError(const std::string& reason, std::string subPlace = {})
        : std::runtime_error(reason), SubPlace(std::move(subPlace))
    {
    }

    std::string SubPlace;
};

// One refused part of the input: where it is and why.
struct Refusal {
    std::string Place;
    std::string Reason;

    std::string Text() const { return Place + ": " + Reason; }
};

// The input as a whole is refused; nothing has been written.
class InputRefused : public Exception {
public:
    explicit InputRefused(std::vector<Refusal> refusals);
    ~InputRefused() override;

    std::vector<Refusal> Refusals;
};

} // namespace ostra::cli
