#include "printing/DiagramAppAdapter.h"

#include <exception>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "base/MessageBoxes.h"
#include "base/WindowPointer.h"

namespace {

// Runs the action; a failure of it changes nothing for the caller.
template <typename Action> void ignoringFailure(const Action& action)
{
    try {
        action();
    } catch (const std::exception&) {
    }
}

}  // namespace

DiagramAppAdapter::DiagramAppAdapter(DiagramAppFactory& factory, MessageBoxes& boxes, WindowPointer& pointer,
                                     Lifetime& lifetime)
    : m_factory(factory), m_boxes(boxes), m_pointer(pointer), m_lifetime(lifetime)
{
}

bool DiagramAppAdapter::checkInstalled()
{
    std::unique_ptr<DiagramApp> app;
    ignoringFailure([&] { app = m_factory.create(ClassName); });
    if (app) {
        ignoringFailure([&] { app->quit(); });
        return true;
    }
    ignoringFailure([&] { tell(m_boxes, NotInstalledText); });
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
        ignoringFailure([&] { app->quit(); });
        throw;
    }
    m_pointer.setMousePointer(MousePointer::Hourglass);
    return app;
}

void DiagramAppAdapter::prepareNext(const std::string& path)
{
    // Only a hint: the file is opened at its turn all the same.
    ignoringFailure([&] { m_factory.prepareNext(path); });
}

void DiagramAppAdapter::endAll()
{
    m_factory.endAll();
}
