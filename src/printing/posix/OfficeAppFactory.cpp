#include "printing/posix/OfficeAppFactory.h"

#include "base/Failure.h"
#include "printing/posix/OfficeInstance.h"

namespace {

void checkClass(const std::string& className)
{
    if (className != "Visio.Application")
        throw Failure("ActiveX component can't create object: " + className);
}

}  // namespace

OfficeAppFactory::OfficeAppFactory(EventPump& events, const Lifetime& lifetime, OfficeOptions options)
    : m_printService(std::make_shared<PrintServiceCalls>(events, lifetime, options.printServiceSeconds))
    , m_engine(std::make_shared<OfficeEngine>(std::move(options), events, lifetime))
{
}

OfficeAppFactory::~OfficeAppFactory()
{
    m_engine->endAll();
}

std::unique_ptr<DiagramApp> OfficeAppFactory::create(const std::string& className)
{
    checkClass(className);
    return makeOfficeInstance(m_engine, m_engine->startInstance(), m_printService);
}

std::unique_ptr<DiagramApp> OfficeAppFactory::attach(const std::string& className)
{
    checkClass(className);
    auto running = m_engine->anyInstance();
    if (!running)
        throw Failure("ActiveX component can't create object: no instance of " + className + " is running");
    return makeOfficeInstance(m_engine, running, m_printService);
}

void OfficeAppFactory::endAll()
{
    m_engine->endAll();
}

void OfficeAppFactory::prepareNext(const std::string& path)
{
    m_engine->prepareNext(path);
}
