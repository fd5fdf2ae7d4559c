#include "printing/win/ComDiagramAppFactory.h"

#include <objbase.h>
#include <oleauto.h>

#include "base/Failure.h"
#include "platform/win/WideText.h"
#include "printing/win/ComDiagramApp.h"
#include "printing/win/ComFailure.h"

namespace {

CLSID classIdOf(const std::string& className)
{
    CLSID classId;
    const HRESULT result = CLSIDFromProgID(toWide(className).c_str(), &classId);
    if (FAILED(result))
        throwComFailure(result);
    return classId;
}

}  // namespace

ComDiagramAppFactory::ComDiagramAppFactory(CallLimits limits)
    : m_bound(std::make_shared<ComCallTimer>(limits))
    , m_apartment(m_bound)
    , m_running(std::make_shared<RunningInstances>())
{
}

ComDiagramAppFactory::~ComDiagramAppFactory() = default;

std::unique_ptr<DiagramApp> ComDiagramAppFactory::create(const std::string& className)
{
    const CLSID classId = classIdOf(className);
    const ComCallTimer::Call call(*m_bound, "the start of " + className);
    IDispatch* dispatch = nullptr;
    const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                                            reinterpret_cast<void**>(&dispatch));
    if (FAILED(result))
        call.fail(result);
    return std::make_unique<ComDiagramApp>(dispatch, m_bound, m_running);
}

std::unique_ptr<DiagramApp> ComDiagramAppFactory::attach(const std::string& className)
{
    const CLSID classId = classIdOf(className);
    const ComCallTimer::Call call(*m_bound, "the search for a running " + className);
    IUnknown* running = nullptr;
    HRESULT result = GetActiveObject(classId, nullptr, &running);
    if (FAILED(result))
        call.fail(result);
    IDispatch* dispatch = nullptr;
    result = running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    running->Release();
    if (FAILED(result))
        call.fail(result);
    return std::make_unique<ComDiagramApp>(dispatch, m_bound);
}

void ComDiagramAppFactory::endAll()
{
    m_bound->closing();
    // Each instance leaves the list as it quits.
    const RunningInstances running = *m_running;
    for (ComDiagramApp* instance : running) {
        try {
            instance->quit();
        } catch (const Failure&) {
            // The program is closing; an instance that refuses to quit is left to its server.
        }
    }
}
