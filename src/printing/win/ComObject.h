#pragma once

#include <windows.h>
#include <unknwn.h>

// The IUnknown part of a COM object that offers one interface besides
// IUnknown: it hands out that interface, counts its references from the count
// it starts with, and deletes itself (as Derived) with the last one.
template <typename Derived, typename Interface> class ComObject : public Interface {
public:
    explicit ComObject(ULONG references = 0) : m_references(references) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }

private:
    ULONG m_references;
};
