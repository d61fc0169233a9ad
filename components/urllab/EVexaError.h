#pragma once

#include <stdexcept>
#include <string>

// The general error of the component library: a message and nothing else.
class EVexaError : public std::runtime_error {
public:
    explicit EVexaError(const std::string& Message)
        : std::runtime_error(Message)
    {
    }
};
