#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "printing/DiagramApp.h"

// An automation server that records every member call, in order, across all
// its instances, and fails where a test says so. Calls read like
//   "create Visio.Application", "attach Visio.Application", "Documents",
//   "Open /a.vsd", "ActivePrinter=Plotter", "ActiveDocument",
//   "PrintOut PrintRange=0", "Quit", "name".
// With a clock set, each call also records the time it was made.
class FakeDiagramAppFactory final : public DiagramAppFactory {
public:
    struct Call {
        std::string text;
        double at;
    };

    std::unique_ptr<DiagramApp> create(const std::string& className) override;
    std::unique_ptr<DiagramApp> attach(const std::string& className) override;
    void endAll() override;

    std::vector<std::string> texts() const;
    // Instances created and not yet quit.
    int instancesAlive() const { return created - quit; }

    // Scripting.
    bool cannotCreate = false;
    bool running = false;                      // an instance runs already (attach works)
    std::string runningName = "Microsoft Visio";
    std::set<std::string> unopenable;          // Open fails for these paths
    std::set<std::string> rejectedPrinters;    // ActivePrinter refuses these names
    std::map<std::string, std::string> failing;  // member -> description: every call fails
    std::function<void(const std::string&)> onCall;  // runs after a call is recorded
    Clock* clock = nullptr;

    // Record.
    std::vector<Call> calls;
    int created = 0;
    int quit = 0;
    int endAllCalls = 0;

    // Used by the fake's objects.
    void record(const std::string& text, const std::string& member);
};
