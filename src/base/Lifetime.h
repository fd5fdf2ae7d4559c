#pragma once

#include <functional>

// The program's life. Closing the main window ends the program at once, also in
// the middle of a long operation; end() runs the registered clean-ups (such as
// ending an outside application's instance that is in work) and then ends the
// process. Where end() returns (tests), ended() tells long operations to stop.
class Lifetime {
public:
    virtual ~Lifetime() = default;
    virtual void end() = 0;
    virtual bool ended() const = 0;
    // Registers a clean-up that end() runs; returns an id for removeCleanup.
    virtual int addCleanup(std::function<void()> cleanup) = 0;
    virtual void removeCleanup(int id) = 0;
};
