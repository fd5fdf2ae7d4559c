#include "printing/win/ComApartment.h"

#include <objbase.h>

#include "base/Failure.h"
#include "platform/win/SystemMessage.h"
#include "printing/win/RetryingMessageFilter.h"

ComApartment::ComApartment(std::shared_ptr<ComCallTimer> bound)
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // S_FALSE: this thread is already in a single-threaded apartment (the
    // toolkit's drag-and-drop support joins one too). RPC_E_CHANGED_MODE: it is
    // in the multithreaded apartment, where COM works as well, but that join is
    // not ours to undo, and message filters do not exist there.
    if (result == RPC_E_CHANGED_MODE)
        return;
    if (FAILED(result))
        throw Failure(systemMessage(static_cast<unsigned long>(result)));
    m_joined = true;

    auto* filter = new RetryingMessageFilter(std::move(bound));
    m_filterRegistered = SUCCEEDED(CoRegisterMessageFilter(filter, &m_previousFilter));
    filter->Release();  // COM holds it while it is registered
}

ComApartment::~ComApartment()
{
    if (m_filterRegistered) {
        IMessageFilter* ours = nullptr;
        CoRegisterMessageFilter(m_previousFilter, &ours);
        if (ours)
            ours->Release();
        if (m_previousFilter)
            m_previousFilter->Release();
    }
    if (m_joined)
        CoUninitialize();
}
