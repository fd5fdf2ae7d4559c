#pragma once

// The main window over the real parts, as the end-to-end tests drive it:
// LibreOffice as the diagram application, the CUPS scheduler that CUPS_SERVER
// names for the printers and jobs, the window's own event pump and a steady
// clock. Boxes, settings, the shell and the files beside the program are the
// tests' own, so every box and every stored choice can be read back.

#include <memory>
#include <string>

#include "app/StartupRecorders.h"
#include "app/qt/MainWindow.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeSettings.h"
#include "fakes/FakeShell.h"
#include "platform/SteadyClock.h"
#include "platform/posix/CupsPrinters.h"
#include "platform/qt/QtEventPump.h"
#include "printing/posix/OfficeAppFactory.h"

struct RealPartsWindow {
    // work: where the LibreOffice instances keep their folders.
    explicit RealPartsWindow(const std::string& work)
    {
        OfficeOptions options;
        options.workRoot = work;
        office = std::make_unique<OfficeAppFactory>(events, lifetime, options);
    }
    // A window that has run its start-up.
    std::unique_ptr<MainWindow> open()
    {
        auto window = std::make_unique<MainWindow>(MainWindowServices{dialogs, settings, fileSystem, printers, *office,
                                                                      shell, clock, events, lifetime, "/program",
                                                                      [] { return 0.5; }, nullptr, runRecordFolder,
                                                                      jobStates});
        window->load();
        return window;
    }

    CallLog log;
    FakeDialogs dialogs;
    FakeSettings settings;
    RecordingFileSystem fileSystem{log};
    CupsPrinters printers;
    SteadyClock clock;
    QtEventPump events;
    FakeLifetime lifetime;
    FakeShell shell;
    std::unique_ptr<OfficeAppFactory> office;
    std::string runRecordFolder;                // none unless a test keeps records
    std::shared_ptr<JobStateSource> jobStates;  // jobs are followed only where a test asks
};
