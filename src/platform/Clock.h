#pragma once

// A monotonic clock in seconds; only differences between readings mean anything.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() = 0;
};
