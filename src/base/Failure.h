#pragma once

#include <stdexcept>
#include <string>

// A failed step: what the error report quotes as the description.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& description) : std::runtime_error(description) {}
};
