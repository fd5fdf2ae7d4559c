#pragma once

#include <memory>

#include "printing/DiagramApp.h"
#include "printing/win/ComCallTimer.h"
#include "printing/win/ComApartment.h"
#include "printing/win/ComDiagramApp.h"

// Creates and attaches to instances of the diagram application through COM, by
// the class's registered name. Creating starts a new instance of the registered
// server (out of process or in process, as registered); attaching finds one in
// the running object table and never starts anything.
//
// The factory joins the calling thread to a single-threaded apartment for its
// lifetime, so the program makes one factory, on its user-interface thread, and
// makes every call on that thread. Every call into the application, starting
// and attaching included, is bounded by the limits.
class ComDiagramAppFactory final : public DiagramAppFactory {
public:
    explicit ComDiagramAppFactory(CallLimits limits = {});
    ~ComDiagramAppFactory() override;

    std::unique_ptr<DiagramApp> create(const std::string& className) override;
    std::unique_ptr<DiagramApp> attach(const std::string& className) override;
    // Quits every instance this factory created whose Quit has not been called
    // and whose reference is still held. The program is closing: all its calls
    // from now on get the brief limit together, so this returns within that
    // limit even when an instance does not answer.
    void endAll() override;

private:
    std::shared_ptr<ComCallTimer> m_bound;
    ComApartment m_apartment;
    std::shared_ptr<RunningInstances> m_running;
};
