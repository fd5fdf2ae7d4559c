#include "printing/win/ComCallTimer.h"

#include "printing/win/ComFailure.h"

namespace {

constexpr DWORD HeartbeatMilliseconds = 100;

using Clock = std::chrono::steady_clock;

// Runs on a thread of the system's pool: wakes the waiting thread, whose modal
// loop then asks the message filter.
VOID CALLBACK beat(PVOID thread, BOOLEAN)
{
    PostThreadMessageW(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(thread)), WM_NULL, 0, 0);
}

std::string spoken(std::chrono::milliseconds limit)
{
    const long long count = limit.count();
    if (count % 1000 == 0)
        return std::to_string(count / 1000) + (count == 1000 ? " second" : " seconds");
    return std::to_string(count) + (count == 1 ? " millisecond" : " milliseconds");
}

}  // namespace

ComCallTimer::ComCallTimer(CallLimits limits) : m_limits(limits) {}

void ComCallTimer::closing()
{
    if (m_closing)
        return;
    m_closing = true;
    m_closingDeadline = Clock::now() + m_limits.brief;
    for (Call* call = m_current; call; call = call->m_outer) {
        if (call->m_deadline > m_closingDeadline) {
            call->m_deadline = m_closingDeadline;
            call->m_limit = m_limits.brief;
        }
    }
}

bool ComCallTimer::cancelOverdueCall()
{
    if (!m_current || Clock::now() < m_current->m_deadline)
        return false;
    m_current->m_cancelled = true;
    return true;
}

ComCallTimer::Call::Call(ComCallTimer& bound, std::string what, Kind kind)
    : m_bound(bound)
    , m_outer(bound.m_current)
    , m_what(std::move(what))
    , m_limit(kind == Kind::Brief ? bound.m_limits.brief : bound.m_limits.call)
    , m_deadline(Clock::now() + m_limit)
{
    if (bound.m_closing && bound.m_closingDeadline < m_deadline) {
        m_deadline = bound.m_closingDeadline;
        m_limit = bound.m_limits.brief;
    }
    bound.m_current = this;
    // Without the heartbeat the call is still made; the filter is then asked
    // only when some other message arrives.
    const auto thread = reinterpret_cast<PVOID>(static_cast<UINT_PTR>(GetCurrentThreadId()));
    if (!CreateTimerQueueTimer(&m_heartbeat, nullptr, beat, thread, HeartbeatMilliseconds, HeartbeatMilliseconds,
                               WT_EXECUTEDEFAULT))
        m_heartbeat = nullptr;
}

ComCallTimer::Call::~Call()
{
    // Waits for a beat that is running, so that none comes after the call.
    if (m_heartbeat)
        DeleteTimerQueueTimer(nullptr, m_heartbeat, INVALID_HANDLE_VALUE);
    m_bound.m_current = m_outer;
}

void ComCallTimer::Call::fail(HRESULT result, EXCEPINFO* exception) const
{
    // A cancelled call fails with RPC_E_CALL_CANCELED; one that a busy
    // application kept turning away until its time was up, with RPC_E_CALL_REJECTED.
    if (m_cancelled && (result == RPC_E_CALL_CANCELED || result == RPC_E_CALL_REJECTED)) {
        describeComFailure(result, exception);  // frees what the exception information holds
        throw UnansweredCall("No answer to " + m_what + " within " + spoken(m_limit) + "; the call was cancelled");
    }
    throwComFailure(result, exception);
}
