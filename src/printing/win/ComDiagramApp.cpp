#include "printing/win/ComDiagramApp.h"

#include <algorithm>

void RunningInstances::add(ComDiagramApp* instance)
{
    m_instances.push_back(instance);
}

void RunningInstances::remove(ComDiagramApp* instance)
{
    m_instances.erase(std::remove(m_instances.begin(), m_instances.end(), instance), m_instances.end());
}

ComDiagramApp::ComDiagramApp(IDispatch* dispatch, std::shared_ptr<ComCallTimer> bound,
                             std::shared_ptr<RunningInstances> running)
    : m_application(dispatch, std::move(bound)), m_running(std::move(running))
{
    if (m_running)
        m_running->add(this);
}

ComDiagramApp::~ComDiagramApp()
{
    if (m_running)
        m_running->remove(this);
}

template <typename Action> auto ComDiagramApp::answered(Action action) -> decltype(action())
{
    try {
        return action();
    } catch (const UnansweredCall&) {
        m_unanswered = true;
        throw;
    }
}

void ComDiagramApp::open(const std::string& path)
{
    // Open returns the opened document; it is not used, and dropping the
    // result releases it.
    answered([&] { m_application.getObject("Documents")->call("Open", {path}); });
}

void ComDiagramApp::setActivePrinter(const std::string& printerName)
{
    answered([&] { m_application.putText("ActivePrinter", printerName); });
}

PrintHandOff ComDiagramApp::printAllPages()
{
    answered([&] {
        m_application.getObject("ActiveDocument")->call("PrintOut", {}, {{"PrintRange", std::int16_t(0)}});
    });
    return {};  // the application names neither the printer nor the jobs
}

void ComDiagramApp::quit()
{
    answered([&] {
        m_application.call("Quit", {}, {}, m_unanswered ? ComCallTimer::Kind::Brief : ComCallTimer::Kind::Ordinary);
    });
    if (m_running)
        m_running->remove(this);
}

std::string ComDiagramApp::name()
{
    return answered([&] { return m_application.getText("name"); });
}
