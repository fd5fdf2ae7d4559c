#pragma once

#include <memory>

#include "platform/FileSystem.h"
#include "platform/Printers.h"
#include "platform/Shell.h"
#include "printing/DiagramApp.h"

class EventPump;
class Lifetime;

// The platform's own implementations of the seams that differ by system.
struct NativeServices {
    std::unique_ptr<FileSystem> fileSystem;
    std::unique_ptr<Printers> printers;
    std::unique_ptr<DiagramAppFactory> diagramApps;
    std::unique_ptr<Shell> shell;
};

// The diagram application waits for the outside application with the window's
// events handled, and ends what it started when the program's lifetime ends.
// On Linux one conversion of a drawing may take conversionSeconds; Visio's
// calls on Windows keep their own bound.
NativeServices makeNativeServices(EventPump& events, const Lifetime& lifetime, int conversionSeconds);
