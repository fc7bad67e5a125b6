#pragma once

#include <string>
#include <vector>

#include "config/FieldText.h"
#include "platform/Exception.h"

namespace ostra::cli {

// A value that a field cannot take (config/FieldText.h): the message says
// what is wrong, the caller adds the place.
using ValueError = FieldValueError;

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
