#pragma once

#include "platform/Clock.h"

// The time of a test: it moves only when the test's event pump is pumped.
struct FakeTime {
    double now = 1000.0;
};

// A clock that reads the test's time.
class FakeClock final : public Clock {
public:
    explicit FakeClock(const FakeTime& time) : m_time(time) {}
    double seconds() override { return m_time.now; }

private:
    const FakeTime& m_time;
};
