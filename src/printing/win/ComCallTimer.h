#pragma once

#include <windows.h>
#include <oaidl.h>

#include <chrono>
#include <string>

#include "base/Failure.h"

// A call into the diagram application that got no answer in time and was
// cancelled. The instance that let it run out may hang for good.
class UnansweredCall final : public Failure {
public:
    using Failure::Failure;
};

// How long calls into the diagram application may take.
struct CallLimits {
    // Any call.
    std::chrono::milliseconds call{std::chrono::seconds(120)};
    // Releasing an object, calls to an instance that has let a call run out
    // already, and, once the program is closing, all its calls together.
    std::chrono::milliseconds brief{std::chrono::seconds(3)};
};

// Bounds every call into the diagram application. A call to an application in
// its own process waits in COM's modal loop, which asks the apartment's message
// filter what to do whenever a message arrives for the waiting thread; the
// filter asks cancelOverdueCall() and cancels the call once its time is up. So
// that it is asked often enough while the application does not answer, a call
// that is out posts its own thread an empty message every tenth of a second.
//
// A call within the caller's own apartment is a plain function call that
// nothing can bound. Every call is made on the thread of the apartment.
class ComCallTimer final {
public:
    enum class Kind { Ordinary, Brief };

    explicit ComCallTimer(CallLimits limits = {});
    ComCallTimer(const ComCallTimer&) = delete;
    ComCallTimer& operator=(const ComCallTimer&) = delete;

    // The program is closing: from now on all calls together get the brief
    // limit, counted from this moment, also a call that is out already.
    void closing();

    // For the message filter: true when the call that is out has run out of
    // time; that call is then marked as cancelled.
    bool cancelOverdueCall();

    // One call (or the few calls that make one member call, such as the name
    // lookup and the invocation), from before it goes out until its result is
    // taken. Calls nest when a message handled during a call makes another.
    class Call final {
    public:
        // `what` names the call in the failure: "Documents.Open".
        Call(ComCallTimer& bound, std::string what, Kind kind = Kind::Ordinary);
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

        // Throws UnansweredCall when the call was cancelled for want of an
        // answer, otherwise Failure with the application's or system's words.
        [[noreturn]] void fail(HRESULT result, EXCEPINFO* exception = nullptr) const;

    private:
        friend class ComCallTimer;

        ComCallTimer& m_bound;
        Call* m_outer;
        std::string m_what;
        std::chrono::milliseconds m_limit;
        std::chrono::steady_clock::time_point m_deadline;
        bool m_cancelled = false;
        HANDLE m_heartbeat = nullptr;
    };

private:
    CallLimits m_limits;
    Call* m_current = nullptr;
    bool m_closing = false;
    std::chrono::steady_clock::time_point m_closingDeadline;
};
