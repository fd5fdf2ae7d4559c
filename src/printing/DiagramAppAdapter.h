#pragma once

#include <memory>
#include <string>

#include "printing/DiagramApp.h"

class Dialogs;
class Lifetime;
class WindowPointer;

// The one layer that talks to the outside diagram application. Instances are
// created (or attached to) by class name; every member that reaches the
// application is named here and nowhere else.
class DiagramAppAdapter final {
public:
    static constexpr const char* ClassName = "Visio.Application";
    static constexpr const char* ExpectedName = "Microsoft Visio";
    static constexpr const char* NotInstalledText =
        "Visio is not installed on this computer. You need to have it installed to use this software "
        "without error.";
    static constexpr const char* RunningText =
        "Visio may be open. It is recommended that you close Visio first.\r\n\r\n"
        "Would you like to proceed anyway?";

    DiagramAppAdapter(DiagramAppFactory& factory, Dialogs& dialogs, WindowPointer& pointer, Lifetime& lifetime);

    // Start-up check: starts one instance and quits it again. When none can be
    // started the user is told and the program ends. Returns whether the
    // program goes on. Never throws.
    bool CheckInstalled();
    // True when an instance is already running and reports the expected name.
    // Never starts an instance and never throws.
    bool IsRunning();
    // Asks whether to go on when an instance is already running; true when the
    // run is to be abandoned.
    bool PromptIfRunning();
    // Starts a new instance and opens the file in it, with the hourglass up.
    // A file that cannot be opened throws the application's failure; the
    // instance started for it is quit first, so none is left behind.
    std::unique_ptr<DiagramApp> OpenInNewInstance(const std::string& path);
    void SetActivePrinter(DiagramApp& app, const std::string& printerName);
    // Prints all pages of the active document on the active printer.
    void PrintActiveDocument(DiagramApp& app);
    void QuitInstance(DiagramApp& app);
    // Ends every instance that is still in work (the program is closing).
    void EndInstancesInWork();

private:
    DiagramAppFactory& m_factory;
    Dialogs& m_dialogs;
    WindowPointer& m_pointer;
    Lifetime& m_lifetime;
};
