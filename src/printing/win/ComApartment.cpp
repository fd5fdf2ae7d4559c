#include "printing/win/ComApartment.h"

#include <objbase.h>

#include "app/Failure.h"
#include "platform/win/SystemMessage.h"

ComApartment::ComApartment()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // S_FALSE: this thread is already in a single-threaded apartment (the
    // toolkit's drag-and-drop support joins one too). RPC_E_CHANGED_MODE: it is
    // in the multithreaded apartment, where COM works as well, but that join is
    // not ours to undo.
    if (result == RPC_E_CHANGED_MODE)
        return;
    if (FAILED(result))
        throw Failure(systemMessage(static_cast<unsigned long>(result)));
    m_joined = true;
}

ComApartment::~ComApartment()
{
    if (m_joined)
        CoUninitialize();
}
