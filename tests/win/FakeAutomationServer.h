#pragma once

#include <windows.h>
#include <oaidl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// An automation server inside the test program that stands in for the diagram
// application: its class object is registered with COM as a local server under
// the class name, and it records every GetIDsOfNames and Invoke that reaches its
// objects (the instance, its document collection, a document) as one line each:
//
//   create
//   Application.names(Documents)
//   Application.get(Documents)
//   Documents.call(Open; "C:\plans\plan.vsd")
//   Application.put(ActivePrinter; PROPERTYPUT="Plotter A")
//   Document.call(PrintOut; PrintRange=I2:0)
//
// Arguments are listed first to last; text as "…", 16-bit integers as I2:n.
//
// The server lives either in the caller's apartment (calls arrive directly) or
// on a thread and apartment of its own, where every call crosses apartments
// through COM's proxies, as calls to an application in another process do.
class FakeAutomationServer final {
public:
    enum class Placement { CallersApartment, OwnThread };
    struct State;

    // Registers the class object and the class name. When the class name is
    // registered by someone else (a real installation), nothing is touched;
    // available() is false then, and whyUnavailable() tells why.
    FakeAutomationServer(const std::string& className, const std::string& instanceName,
                         Placement placement = Placement::CallersApartment);
    ~FakeAutomationServer();
    FakeAutomationServer(const FakeAutomationServer&) = delete;
    FakeAutomationServer& operator=(const FakeAutomationServer&) = delete;

    bool available() const;
    // Why the server is not available, in words; empty when it is.
    std::string whyUnavailable() const;

    // Puts one instance into the running object table, as a running
    // application does; it stays there until the server is dropped.
    void registerRunningInstance();
    // Makes Documents.Open fail with this description in its exception information.
    void failOpenWith(const std::string& description);
    // Makes Documents.Open fail for a file that does not exist, as the
    // application's own does.
    void failOpenOfMissingFiles();
    // Makes every call of the member ("Open", "Quit") hang on the server's
    // thread, as an application that stopped answering does, until answer()
    // or until it has hung for atMost (so that a caller that cannot cancel
    // still gets its answer in the end). The call is recorded when it arrives.
    void hangIn(const std::string& member, std::chrono::milliseconds atMost);
    // Ends every hang, now and later.
    void answer();
    // Whether a call hangs now.
    bool hanging() const;
    // Removes the class name from the registry (nothing is registered any more).
    void unregisterClassName();

    std::vector<std::string> calls() const;
    // Objects of this server that are alive (referenced by anyone).
    int liveObjects() const;
    int instancesCreated() const;

private:
    void onServer(const std::function<void()>& task);
    void serve(HANDLE ready);
    void startServing();
    void stopServing();

    std::shared_ptr<State> m_state;
    Placement m_placement;
    std::thread m_thread;
    DWORD m_threadId = 0;
    IClassFactory* m_factory = nullptr;
    DWORD m_classCookie = 0;
    DWORD m_runningCookie = 0;
    IUnknown* m_runningInstance = nullptr;
    CLSID m_classId{};
    bool m_wroteClassName = false;
    std::wstring m_className;
    std::string m_unavailable;
};
