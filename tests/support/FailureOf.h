#pragma once

#include <exception>
#include <functional>
#include <string>

namespace portable_test {

// The description an action fails with, or "(no failure)" when it does not.
inline std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& failure) {
        return failure.what();
    }
    return "(no failure)";
}

}  // namespace portable_test
