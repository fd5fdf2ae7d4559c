#include "printing/Waiter.h"

#include "base/Lifetime.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"

Waiter::Waiter(Clock& clock, EventPump& pump, const Lifetime& lifetime)
    : m_clock(clock), m_pump(pump), m_lifetime(lifetime)
{
}

void Waiter::waitSeconds(double seconds)
{
    const double start = m_clock.seconds();
    while (!m_lifetime.ended()) {
        const double elapsed = m_clock.seconds() - start;
        if (elapsed >= seconds)
            return;
        m_pump.waitForEvents(seconds - elapsed);
    }
}
