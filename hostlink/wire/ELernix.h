#pragma once

#include <stdexcept>
#include <string>

// The host link's own errors. The message is the text shown to the user.
class ELernix : public std::runtime_error {
public:
    explicit ELernix(const std::string& Message)
        : std::runtime_error(Message)
    {
    }
};

// A read that cannot deliver every requested byte. The message is always
// "Stream read error", whatever was being read.
class EReadError : public std::runtime_error {
public:
    EReadError()
        : std::runtime_error("Stream read error")
    {
    }
};
