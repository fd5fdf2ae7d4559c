#pragma once

#include <vector>

#include "base/WindowPointer.h"

// The window pointer with a record of every value set.
class FakePointer final : public WindowPointer {
public:
    int mousePointer() const override { return m_value; }
    void setMousePointer(int value) override
    {
        m_value = value;
        history.push_back(value);
    }
    std::vector<int> history;

private:
    int m_value = 0;
};
