#include "printing/win/RetryingMessageFilter.h"

#include "printing/win/ComCallTimer.h"

RetryingMessageFilter::RetryingMessageFilter(std::shared_ptr<ComCallTimer> bound) : m_bound(std::move(bound)) {}

HRESULT STDMETHODCALLTYPE RetryingMessageFilter::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
        *object = static_cast<IMessageFilter*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE RetryingMessageFilter::AddRef()
{
    return ++m_references;
}

ULONG STDMETHODCALLTYPE RetryingMessageFilter::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
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
