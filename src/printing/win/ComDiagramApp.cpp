#include "printing/win/ComDiagramApp.h"

#include <algorithm>

ComDiagramApp::ComDiagramApp(IDispatch* dispatch, std::shared_ptr<ComCallTimer> bound,
                             std::shared_ptr<RunningInstances> running)
    : m_application(dispatch, std::move(bound)), m_running(std::move(running))
{
    if (m_running)
        m_running->push_back(this);
}

ComDiagramApp::~ComDiagramApp()
{
    leaveRunning();
}

void ComDiagramApp::leaveRunning()
{
    if (m_running)
        m_running->erase(std::remove(m_running->begin(), m_running->end(), this), m_running->end());
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
    leaveRunning();
}

std::string ComDiagramApp::name()
{
    return answered([&] { return m_application.getText("name"); });
}
