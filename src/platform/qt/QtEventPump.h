#pragma once

#include "platform/Clock.h"

// The window's event queue: handles pending events, or sleeps until one arrives.
class QtEventPump final : public EventPump {
public:
    void processPending() override;
    void waitForEvents(double maxSeconds) override;
};
