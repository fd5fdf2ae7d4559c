#pragma once

#include <functional>
#include <memory>
#include <string>

#include "printing/JobStates.h"

class Clock;
class Dialogs;
class DiagramAppFactory;
class EventPump;
class FileSystem;
class Lifetime;
class Printers;
class SettingsStore;
class Shell;
class SkinComponent;

// Everything outside the main window that it and its commands reach: the seams
// (real ones in the program, fakes in tests) and the program's folder. The
// window hands each command the seams it uses.
struct MainWindowServices {
    Dialogs& dialogs;
    SettingsStore& settings;
    FileSystem& fileSystem;
    Printers& printers;
    DiagramAppFactory& diagramApps;
    Shell& shell;
    Clock& clock;
    EventPump& events;
    Lifetime& lifetime;
    std::string programFolder;                            // the folder that holds the program
    std::function<double()> randomUnit;                   // uniform in [0, 1), seeded from the clock
    SkinComponent* skin = nullptr;                        // none: the window's own skin component
    std::string runRecordFolder = {};                     // where run records are kept; none when empty
    std::shared_ptr<JobStateSource> jobStates = nullptr;  // follows jobs to the printer; none when null
};
