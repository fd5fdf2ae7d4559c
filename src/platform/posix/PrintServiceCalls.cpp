#include "platform/posix/PrintServiceCalls.h"

PrintServiceCalls::PrintServiceCalls(EventPump& events, const Lifetime& lifetime, double limitSeconds)
    : m_offThread(events), m_lifetime(lifetime), m_limitSeconds(limitSeconds)
{
}

void PrintServiceCalls::run(OffThread::Call request) const
{
    m_offThread.wait(std::move(request), m_limitSeconds, m_lifetime, CupsService::silentFor(m_limitSeconds));
}
