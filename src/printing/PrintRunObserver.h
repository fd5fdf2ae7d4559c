#pragma once

#include <string>

#include "printing/FileOutcome.h"

// Told what becomes of each file of a print run, as the run goes. Positions
// are the files' positions in the list when the run reaches them. Nothing the
// observer does changes the run.
class PrintRunObserver {
public:
    virtual ~PrintRunObserver() = default;
    // A run of `fileCount` files begins.
    virtual void runStarted(int fileCount) = 0;
    // The run is on the file at `position`.
    virtual void fileStarted(int position, const std::string& path) = 0;
    // The file's print was handed to the print service.
    virtual void fileSent(int position, const PrintHandOff& sent) = 0;
    // A step of the file failed before its print was made: the first such
    // step, with the failure's description.
    virtual void fileFailed(int position, int line, const std::string& reason) = 0;
    // The run has passed its last file.
    virtual void runEnded() = 0;
};

// An observer that is told nothing it keeps.
class NoRunObserver final : public PrintRunObserver {
public:
    void runStarted(int) override {}
    void fileStarted(int, const std::string&) override {}
    void fileSent(int, const PrintHandOff&) override {}
    void fileFailed(int, int, const std::string&) override {}
    void runEnded() override {}
};
