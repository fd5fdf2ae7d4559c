#pragma once

#include <string>
#include <vector>

// The system's printers by device name.
class Printers {
public:
    virtual ~Printers() = default;
    // All printers, in an order that stays the same while the set is unchanged.
    // Throws Failure when the printers cannot be read.
    virtual std::vector<std::string> names() = 0;
    // The default printer's device name, empty when none is set.
    // Throws Failure when no printer can be read at all.
    virtual std::string defaultName() = 0;
};
