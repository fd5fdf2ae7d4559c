#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <vector>

#include "printing/DiagramApp.h"
#include "printing/win/LateBoundObject.h"

class ComDiagramApp;

// The instances a factory created that have not been quit yet. Holds no
// references: each entry belongs to a live ComDiagramApp, which removes itself
// when it is quit or dropped.
using RunningInstances = std::vector<ComDiagramApp*>;

// One instance of the diagram application reached through COM. This is the
// one place that knows the application's member table; every member is called
// late-bound, by name, at the moment of the call:
//   open             Documents.Open(path)
//   setActivePrinter ActivePrinter = name
//   printAllPages    ActiveDocument.PrintOut(PrintRange := 0, a 16-bit integer)
//   quit             Quit()
//   name             name
// Every call is bounded (ComCallTimer). An instance that has let a call run out
// may hang for good, so its Quit gets only the brief limit.
class ComDiagramApp final : public DiagramApp {
public:
    // Takes over the caller's reference. A created instance keeps itself in
    // `running` until it is quit or dropped; an attached one passes none.
    ComDiagramApp(IDispatch* dispatch, std::shared_ptr<ComCallTimer> bound,
                  std::shared_ptr<RunningInstances> running = {});
    ~ComDiagramApp() override;
    ComDiagramApp(const ComDiagramApp&) = delete;
    ComDiagramApp& operator=(const ComDiagramApp&) = delete;

    void open(const std::string& path) override;
    void setActivePrinter(const std::string& printerName) override;
    PrintHandOff printAllPages() override;
    void quit() override;
    std::string name() override;

    // The instance's own automation object, for calls beyond the table.
    LateBoundObject& application() { return m_application; }

private:
    void leaveRunning();
    // Runs one member call, noting whether it went unanswered.
    template <typename Action> auto answered(Action action) -> decltype(action());

    LateBoundObject m_application;
    std::shared_ptr<RunningInstances> m_running;
    bool m_unanswered = false;
};
