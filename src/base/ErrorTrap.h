#pragma once

#include <functional>
#include <string>

class MessageBoxes;
class Lifetime;

// The common error trap of a command handler. Each numbered step runs under it;
// a step that fails is reported in the "Application Error" box with its line
// number, and the handler goes on with the next step. Nothing is rolled back.
// Once the program is ending (the window was closed), no further step runs.
class ErrorTrap final {
public:
    ErrorTrap(MessageBoxes& boxes, const Lifetime& lifetime, std::string location);

    // Runs the step; a failure is reported and swallowed.
    void step(int line, const std::function<void()>& body);
    // Runs the test of a conditional. A failing test counts as passed, so the
    // handler enters the conditional's body. False once the program is ending.
    bool test(int line, const std::function<bool()>& condition);
    // True once the program is ending: loops stop, nothing more runs.
    bool stopped() const;
    // From now on, every failure a step or test raises is first told to
    // `hook`, even once the program is ending; an empty hook tells no one.
    void onFailure(std::function<void(int line, const std::string& description)> hook);

private:
    bool guarded(int line, const std::function<void()>& body);
    // Reports a failure at a line in the box, unless the program is ending.
    void report(int line, const std::string& description);

    MessageBoxes& m_boxes;
    const Lifetime& m_lifetime;
    std::string m_location;
    std::function<void(int, const std::string&)> m_onFailure;
};
