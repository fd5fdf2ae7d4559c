#include "printing/DiagramAppAdapter.h"

#include <exception>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "base/WindowPointer.h"
#include "platform/Dialogs.h"

namespace {
// A member that yields an object; an application that yields none fails the call.
std::unique_ptr<DiagramObject> objectOf(DiagramObject& owner, const std::string& member)
{
    std::unique_ptr<DiagramObject> object = owner.getObject(member);
    if (!object)
        throw Failure("Object variable not set");
    return object;
}
}  // namespace

DiagramAppAdapter::DiagramAppAdapter(DiagramAppFactory& factory, Dialogs& dialogs, WindowPointer& pointer,
                                     Lifetime& lifetime)
    : m_factory(factory), m_dialogs(dialogs), m_pointer(pointer), m_lifetime(lifetime)
{
}

bool DiagramAppAdapter::CheckInstalled()
{
    std::unique_ptr<DiagramApp> app;
    try {
        app = m_factory.create(ClassName);
    } catch (const std::exception&) {
        app.reset();
    }
    if (app) {
        try {
            app->call("Quit", {}, {});
        } catch (const std::exception&) {
        }
        return true;
    }
    MessageRequest box;
    box.text = NotInstalledText;
    box.buttons = MessageButtons::Ok;
    box.icon = MessageIcon::None;
    try {
        m_dialogs.message(box);
    } catch (const std::exception&) {
    }
    m_lifetime.end();
    return false;
}

bool DiagramAppAdapter::IsRunning()
{
    try {
        const std::unique_ptr<DiagramApp> app = m_factory.attach(ClassName);
        return app && app->getText("name") == ExpectedName;
    } catch (const std::exception&) {
        return false;
    }
}

bool DiagramAppAdapter::PromptIfRunning()
{
    if (!IsRunning())
        return false;
    MessageRequest box;
    box.text = RunningText;
    box.buttons = MessageButtons::YesNo;
    box.icon = MessageIcon::None;
    box.defaultYes = true;
    return m_dialogs.message(box) == MessageAnswer::No;
}

std::unique_ptr<DiagramApp> DiagramAppAdapter::OpenInNewInstance(const std::string& path)
{
    std::unique_ptr<DiagramApp> app = m_factory.create(ClassName);
    if (!app)
        throw Failure("Object variable not set");
    m_pointer.setMousePointer(MousePointer::Hourglass);
    // A failing Open passes up; the instance is then released without Quit.
    objectOf(*app, "Documents")->call("Open", {path}, {});
    m_pointer.setMousePointer(MousePointer::Hourglass);
    return app;
}

void DiagramAppAdapter::SetActivePrinter(DiagramApp& app, const std::string& printerName)
{
    app.putText("ActivePrinter", printerName);
}

void DiagramAppAdapter::PrintActiveDocument(DiagramApp& app)
{
    objectOf(app, "ActiveDocument")->call("PrintOut", {}, {{"PrintRange", std::int16_t(0)}});
}

void DiagramAppAdapter::QuitInstance(DiagramApp& app)
{
    app.call("Quit", {}, {});
}

void DiagramAppAdapter::EndInstancesInWork()
{
    m_factory.endAll();
}
