#pragma once

class Clock;
class EventPump;
class Lifetime;

// The pauses of the print run. The window stays responsive throughout: the
// wait sleeps until an event arrives or the time is up, handles what arrived,
// and goes on, so it keeps no core busy. Time comes from a monotonic clock, so
// a change of the wall clock (or midnight) neither shortens nor stretches it.
class Waiter final {
public:
    Waiter(Clock& clock, EventPump& pump, const Lifetime& lifetime);

    // Returns once `seconds` have passed, or at once when the program is ending.
    void waitSeconds(double seconds);

private:
    Clock& m_clock;
    EventPump& m_pump;
    const Lifetime& m_lifetime;
};
