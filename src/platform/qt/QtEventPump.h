#pragma once

#include "platform/EventPump.h"

// The window's event queue: handles pending events, or sleeps until one arrives.
class QtEventPump final : public EventPump {
public:
    void processPending() override;
    void waitForEvents(double maxSeconds) override;
    void waitForReadable(int descriptor, double maxSeconds) override;
    void post(std::function<void()> task) override;
};
