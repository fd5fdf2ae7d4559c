#include "printing/DiagramAppAdapter.h"

#include <exception>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "base/MessageBoxes.h"
#include "base/WindowPointer.h"

DiagramAppAdapter::DiagramAppAdapter(DiagramAppFactory& factory, MessageBoxes& boxes, WindowPointer& pointer,
                                     Lifetime& lifetime)
    : m_factory(factory), m_boxes(boxes), m_pointer(pointer), m_lifetime(lifetime)
{
}

bool DiagramAppAdapter::checkInstalled()
{
    std::unique_ptr<DiagramApp> app;
    try {
        app = m_factory.create(ClassName);
    } catch (const std::exception&) {
        app.reset();
    }
    if (app) {
        try {
            app->quit();
        } catch (const std::exception&) {
        }
        return true;
    }
    try {
        tell(m_boxes, NotInstalledText);
    } catch (const std::exception&) {
    }
    m_lifetime.end();
    return false;
}

bool DiagramAppAdapter::isRunning()
{
    try {
        const std::unique_ptr<DiagramApp> app = m_factory.attach(ClassName);
        return app && app->name() == ExpectedName;
    } catch (const std::exception&) {
        return false;
    }
}

bool DiagramAppAdapter::promptIfRunning()
{
    if (!isRunning())
        return false;
    return !askYesNo(m_boxes, RunningText, true);
}

std::unique_ptr<DiagramApp> DiagramAppAdapter::openInNewInstance(const std::string& path)
{
    std::unique_ptr<DiagramApp> app = m_factory.create(ClassName);
    if (!app)
        throw Failure("Object variable not set");
    m_pointer.setMousePointer(MousePointer::Hourglass);
    try {
        app->open(path);
    } catch (...) {
        // Nothing else will ever reach this instance: it is asked to quit, so
        // no invisible instance stays behind for every file that cannot be
        // opened. The failure to open is what the caller hears of.
        try {
            app->quit();
        } catch (const std::exception&) {
        }
        throw;
    }
    m_pointer.setMousePointer(MousePointer::Hourglass);
    return app;
}

void DiagramAppAdapter::prepareNext(const std::string& path)
{
    try {
        m_factory.prepareNext(path);
    } catch (const std::exception&) {
        // Only a hint: the file is opened at its turn all the same.
    }
}

void DiagramAppAdapter::endAll()
{
    m_factory.endAll();
}
