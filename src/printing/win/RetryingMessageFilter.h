#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>

#include "printing/win/ComObject.h"

class ComCallTimer;

// The apartment's answer when a server turns a call away because it is busy (a
// diagram application that is still starting, or is showing a dialog of its
// own): the call is tried again every quarter second for up to a minute before
// it fails. Calls coming in are always taken, and while a call is out the
// window keeps repainting but gets no input. With a bound, a call that has run
// out of time is cancelled, whether it waits for an answer or is being retried.
class RetryingMessageFilter final : public ComObject<RetryingMessageFilter, IMessageFilter> {
public:
    static constexpr DWORD RetryEveryMilliseconds = 250;
    static constexpr DWORD GiveUpAfterMilliseconds = 60000;

    explicit RetryingMessageFilter(std::shared_ptr<ComCallTimer> bound = {});

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD elapsed,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD elapsed, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD elapsed, DWORD pendingType) override;

private:
    std::shared_ptr<ComCallTimer> m_bound;
};
