#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/posix/ChildProcess.h"
#include "printing/posix/RunFolders.h"

struct OfficeOptions;

// One rendering of a drawing to PDF by LibreOffice. A conversion succeeds only
// when LibreOffice says so in all three ways: exit status 0, no error in its
// log, and a PDF that reads whole.
struct Conversion {
    // Checks the drawing, makes the folders the conversion of the instance's
    // document writes in and the command that renders it. Throws Failure
    // saying why the file cannot be opened.
    static std::unique_ptr<Conversion> begin(const std::string& path, const InstanceFolders& where, int document,
                                             const OfficeOptions& options);
    ~Conversion();

    // The PDF the finished LibreOffice run left; throws Failure saying why the
    // file cannot be opened when there is none.
    std::string result(const ChildResult& run, double timeLimitSeconds) const;

    std::string path;    // as the caller gave it
    std::string output;  // the folder the PDF is rendered into
    ChildRequest request;
    bool freshProfile = false;  // LibreOffice sets up the instance's profile
    std::chrono::steady_clock::time_point started;
    // The first LibreOffice run of a conversion prepared ahead, started early.
    std::unique_ptr<ChildProcess> firstRun;
    // The plain-named link (or copy) LibreOffice is given in place of the
    // drawing, gone with the conversion.
    std::string given;
};
