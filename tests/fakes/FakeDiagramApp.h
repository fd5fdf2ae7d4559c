#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakes/CallRecord.h"
#include "platform/Clock.h"
#include "printing/DiagramApp.h"

// A diagram application that records every call, in order, across all its
// instances, and fails where a test says so. Calls read like
//   "create Visio.Application", "attach Visio.Application", "open /a.vsd",
//   "setActivePrinter Plotter", "printAllPages", "quit", "name".
// With a clock set, each call also records the time it was made; with a log
// set, each call is written there too.
class FakeDiagramAppFactory final : public DiagramAppFactory {
public:
    struct Call {
        std::string text;
        double at;
    };

    std::unique_ptr<DiagramApp> create(const std::string& className) override;
    std::unique_ptr<DiagramApp> attach(const std::string& className) override;
    void endAll() override
    {
        ++endAllCalls;
        if (onEndAll)
            onEndAll();
    }
    void prepareNext(const std::string& path) override { hints.push_back({path, clock ? clock->seconds() : 0.0}); }

    std::vector<std::string> texts() const;
    // How many calls read exactly so.
    int count(const std::string& text) const;
    // Instances created and not yet quit.
    int instancesAlive() const { return created - quit; }

    // Scripting.
    bool cannotCreate = false;
    bool running = false;  // an instance runs already (attach works)
    std::string runningName = "Microsoft Visio";
    std::set<std::string> unopenable;                // open fails for these paths
    std::set<std::string> rejectedPrinters;          // setActivePrinter refuses these names
    std::map<std::string, std::string> failing;      // call name -> description: every such call fails
    std::function<void(const std::string&)> onCall;  // runs after a call is recorded
    std::function<void()> onEndAll;
    Clock* clock = nullptr;
    CallLog* log = nullptr;

    // Record.
    std::vector<Call> calls;
    int created = 0;
    int quit = 0;
    int endAllCalls = 0;
    std::vector<Call> hints;  // the files named by prepareNext, apart from the calls

    // Used by the fake's instances; a call's name is its text up to the first space.
    void record(const std::string& text);
};
