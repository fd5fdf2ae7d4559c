#include "printing/win/ComDiagramAppFactory.h"

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <vector>

#include "base/Failure.h"
#include "platform/win/WideText.h"
#include "printing/win/ComDiagramObject.h"
#include "printing/win/ComFailure.h"

// The instances created by one factory that have not been quit yet. Holds no
// references: each entry belongs to a live ComDiagramObject, which removes it
// when it is quit or dropped.
class RunningInstances final {
public:
    void add(DiagramObject* instance) { m_instances.push_back(instance); }
    void remove(DiagramObject* instance)
    {
        m_instances.erase(std::remove(m_instances.begin(), m_instances.end(), instance), m_instances.end());
    }
    std::vector<DiagramObject*> all() const { return m_instances; }

private:
    std::vector<DiagramObject*> m_instances;
};

namespace {

CLSID classIdOf(const std::string& className)
{
    CLSID classId;
    const HRESULT result = CLSIDFromProgID(toWide(className).c_str(), &classId);
    if (FAILED(result))
        throwComFailure(result);
    return classId;
}

// A created instance that leaves the list of running instances when it is quit
// or dropped.
class CreatedInstance final : public DiagramObject {
public:
    CreatedInstance(IDispatch* dispatch, std::shared_ptr<RunningInstances> running)
        : m_running(std::move(running)), m_object(dispatch, [this] { m_running->remove(this); })
    {
        m_running->add(this);
    }
    ~CreatedInstance() override { m_running->remove(this); }

    std::unique_ptr<DiagramObject> getObject(const std::string& member) override { return m_object.getObject(member); }
    std::string getText(const std::string& member) override { return m_object.getText(member); }
    void putText(const std::string& member, const std::string& value) override { m_object.putText(member, value); }
    void call(const std::string& member, const std::vector<DiagramValue>& positional,
              const std::vector<NamedArgument>& named) override
    {
        m_object.call(member, positional, named);
    }

private:
    std::shared_ptr<RunningInstances> m_running;
    ComDiagramObject m_object;
};

}  // namespace

ComDiagramAppFactory::ComDiagramAppFactory() : m_running(std::make_shared<RunningInstances>()) {}

ComDiagramAppFactory::~ComDiagramAppFactory() = default;

std::unique_ptr<DiagramApp> ComDiagramAppFactory::create(const std::string& className)
{
    const CLSID classId = classIdOf(className);
    IDispatch* dispatch = nullptr;
    const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                            IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(result))
        throwComFailure(result);
    return std::make_unique<CreatedInstance>(dispatch, m_running);
}

std::unique_ptr<DiagramApp> ComDiagramAppFactory::attach(const std::string& className)
{
    const CLSID classId = classIdOf(className);
    IUnknown* running = nullptr;
    HRESULT result = GetActiveObject(classId, nullptr, &running);
    if (FAILED(result))
        throwComFailure(result);
    IDispatch* dispatch = nullptr;
    result = running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    running->Release();
    if (FAILED(result))
        throwComFailure(result);
    return std::make_unique<ComDiagramObject>(dispatch);
}

void ComDiagramAppFactory::endAll()
{
    for (DiagramObject* instance : m_running->all()) {
        try {
            instance->call("Quit", {}, {});
        } catch (const Failure&) {
            // The program is closing; an instance that refuses to quit is left to its server.
        }
    }
}
