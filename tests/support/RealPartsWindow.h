#pragma once

// The main window over the real parts, as the end-to-end tests drive it:
// LibreOffice as the diagram application, the CUPS scheduler that CUPS_SERVER
// names for the printers and jobs, the window's own event pump and a steady
// clock. Boxes, settings, the shell and the files beside the program are the
// tests' own, so every box and every stored choice can be read back.

#include <memory>
#include <string>

#include "platform/SteadyClock.h"
#include "platform/posix/CupsPrinters.h"
#include "platform/qt/QtEventPump.h"
#include "printing/posix/OfficeAppFactory.h"
#include "support/WindowRig.h"

struct RealPartsWindow : WindowRig {
    // work: where the LibreOffice instances keep their folders.
    explicit RealPartsWindow(const std::string& work)
    {
        OfficeOptions options;
        options.workRoot = work;
        office = std::make_unique<OfficeAppFactory>(events, lifetime, options);
        real = {nullptr, nullptr, &cups, office.get(), &steadyClock, &events};
    }

    SteadyClock steadyClock;
    QtEventPump events;
    CupsPrinters cups{events, lifetime};
    std::unique_ptr<OfficeAppFactory> office;
};
