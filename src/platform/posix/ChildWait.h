#pragma once

#include "platform/posix/ChildProcess.h"

class EventPump;
class Lifetime;

// Waits for a program run on the window's thread without blocking the window:
// the wait sleeps until the program ends, an event arrives or the time limit
// passes, and handles the events as the pauses of the print run do. When the
// time limit passes, the program's group is ended and the outcome is TimedOut.
// When the program's lifetime ends during the wait (the window was closed),
// the group is ended and the wait returns at once with the outcome Ended.
ChildResult waitForChild(ChildProcess& child, double timeLimitSeconds, EventPump& events, const Lifetime& lifetime);
