#pragma once

#include <string>

// A drop-down list the user picks one entry from, with 0-based positions; -1
// selects nothing.
class Selector {
public:
    virtual ~Selector() = default;
    virtual void clear() = 0;
    virtual void addItem(const std::string& text) = 0;
    virtual int count() const = 0;
    // Selects the entry at index, -1 for none. Throws Failure for any index
    // outside -1 to count() - 1.
    virtual void select(int index) = 0;
    virtual int currentIndex() const = 0;
    // The selected entry's text; empty when nothing is selected.
    virtual std::string text() const = 0;
};
