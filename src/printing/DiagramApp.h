#pragma once

#include <memory>
#include <string>

#include "printing/FileOutcome.h"

// One running instance of the outside diagram application. Every call is
// synchronous and throws Failure with the application's own description when
// the application refuses it. Dropping the reference never stops the instance:
// only quit() does.
class DiagramApp {
public:
    virtual ~DiagramApp() = default;
    // Opens the file; it becomes the instance's active document.
    virtual void open(const std::string& path) = 0;
    // Later printing goes to this printer.
    virtual void setActivePrinter(const std::string& printerName) = 0;
    // Prints every page of the active document on the active printer, and
    // says what it handed to the print service: the printer and the jobs it
    // accepted. Empty where the application does not tell.
    virtual PrintHandOff printAllPages() = 0;
    // Ends the instance.
    virtual void quit() = 0;
    // The application's name for itself.
    virtual std::string name() = 0;
};

// Creates or attaches to instances by the application's class name.
class DiagramAppFactory {
public:
    virtual ~DiagramAppFactory() = default;
    // Starts a new instance; throws Failure when none can be started.
    virtual std::unique_ptr<DiagramApp> create(const std::string& className) = 0;
    // Attaches to an instance that is already running, never starting one;
    // throws Failure when none is running.
    virtual std::unique_ptr<DiagramApp> attach(const std::string& className) = 0;
    // Ends every instance this factory started that has not been quit (the
    // program is closing in the middle of a run). Does nothing by default.
    virtual void endAll() {}
    // Says which file will be opened next, so that an application that can
    // may start on it early; empty: none. A hint only: what goes wrong is
    // reported when the file is opened. Does nothing by default.
    virtual void prepareNext(const std::string& path) { (void)path; }
};
