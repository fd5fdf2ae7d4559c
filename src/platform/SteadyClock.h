#pragma once

#include "platform/Clock.h"

// Seconds from a monotonic clock: unaffected by midnight or a changed system time.
class SteadyClock final : public Clock {
public:
    double seconds() override;
};
