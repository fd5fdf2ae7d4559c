#include "printing/win/RetryingMessageFilter.h"

#include "printing/win/ComCallTimer.h"

RetryingMessageFilter::RetryingMessageFilter(std::shared_ptr<ComCallTimer> bound)
    : ComObject(1), m_bound(std::move(bound))
{
}

DWORD STDMETHODCALLTYPE RetryingMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO)
{
    return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE RetryingMessageFilter::RetryRejectedCall(HTASK, DWORD elapsed, DWORD rejectType)
{
    if (m_bound && m_bound->cancelOverdueCall())
        return static_cast<DWORD>(-1);
    // A refused call (SERVERCALL_REJECTED) will not be taken later either.
    if (rejectType == SERVERCALL_RETRYLATER && elapsed < GiveUpAfterMilliseconds)
        return RetryEveryMilliseconds;
    return static_cast<DWORD>(-1);
}

DWORD STDMETHODCALLTYPE RetryingMessageFilter::MessagePending(HTASK, DWORD, DWORD)
{
    if (m_bound && m_bound->cancelOverdueCall())
        return PENDINGMSG_CANCELCALL;
    return PENDINGMSG_WAITDEFPROCESS;
}
