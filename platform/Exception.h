#pragma once

#include <exception>
#include <string>
#include <utility>

namespace ostra {

// The base error kind: every failure the editor reports carries the exact
// message text that the user will see.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    ~Exception() override;

    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

} // namespace ostra
