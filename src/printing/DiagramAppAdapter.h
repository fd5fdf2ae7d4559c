#pragma once

#include <memory>
#include <string>

#include "printing/DiagramApp.h"

class Lifetime;
class MessageBoxes;
class WindowPointer;

// The rules around the outside diagram application: whether it is installed,
// whether it is running already, and one fresh instance per file, opened with
// the hourglass up and never left behind when the file cannot be opened. The
// caller points the opened instance at a printer, prints and quits it itself.
class DiagramAppAdapter final {
public:
    static constexpr const char* ClassName = "Visio.Application";
    static constexpr const char* ExpectedName = "Microsoft Visio";
    static constexpr const char* NotInstalledText
        = "Visio is not installed on this computer. You need to have it installed to use this software "
          "without error.";
    static constexpr const char* RunningText
        = "Visio may be open. It is recommended that you close Visio first.\r\n\r\n"
          "Would you like to proceed anyway?";

    DiagramAppAdapter(DiagramAppFactory& factory, MessageBoxes& boxes, WindowPointer& pointer, Lifetime& lifetime);

    // Start-up check: starts one instance and quits it again. When none can be
    // started the user is told and the program ends. Returns whether the
    // program goes on. Never throws.
    bool checkInstalled();
    // True when an instance is already running and reports the expected name.
    // Never starts an instance and never throws.
    bool isRunning();
    // Asks whether to go on when an instance is already running; true when the
    // run is to be abandoned.
    bool promptIfRunning();
    // Starts a new instance and opens the file in it, with the hourglass up.
    // A file that cannot be opened throws the application's failure; the
    // instance started for it is asked to quit first, so none is left behind.
    std::unique_ptr<DiagramApp> openInNewInstance(const std::string& path);
    // Tells the application which file comes next (empty: none), while the
    // run waits. Never throws.
    void prepareNext(const std::string& path);
    // Ends every instance that is still in work (the program is closing).
    void endAll();

private:
    DiagramAppFactory& m_factory;
    MessageBoxes& m_boxes;
    WindowPointer& m_pointer;
    Lifetime& m_lifetime;
};
