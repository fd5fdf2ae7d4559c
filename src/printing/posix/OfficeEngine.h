#pragma once

#include <future>
#include <map>
#include <memory>
#include <string>

#include "platform/posix/BoundedCall.h"
#include "printing/posix/ChildProcess.h"
#include "printing/posix/FolderChores.h"
#include "settings/SettingKeys.h"

class EventPump;
class Lifetime;

// The address space a conversion may take on this machine: half of its
// memory, never less than 2 GiB (a drawing of ordinary size converts within
// 500 MB).
unsigned long long conversionAddressSpace();

// How the LibreOffice instances are run.
struct OfficeOptions {
    // The program: a path, or a name looked up on PATH.
    std::string program = "soffice";
    // Longest time one opening of a file may take; the run is then ended.
    double timeLimitSeconds = DefaultConversionSeconds;
    // Where the instances' folders are made; empty: the temporary folder.
    std::string workRoot;
    // Longest time the print service (CUPS) may take to answer a request.
    double printServiceSeconds = 30;
    // The most address space each LibreOffice process of a conversion may
    // take, in bytes (0: no bound), so that no drawing can take the machine's
    // memory.
    unsigned long long addressSpaceLimit = conversionAddressSpace();
};

// The state of one instance: its own folders, the document it opened and the
// printer it prints on.
struct OfficeInstanceState {
    int number = 0;
    std::string folder;   // holds profile/ and work/
    std::string profile;  // LibreOffice's user installation of this instance
    std::string work;     // converted documents and logs
    bool ended = false;
    int handles = 0;             // references to the instance held by the program
    int opened = 0;              // documents opened so far
    std::string documentPdf;     // the active document, rendered
    std::string documentTitle;   // its file name, the job title
    std::string activePrinter;   // empty: the system's default printer
};

// Runs the private LibreOffice instances of one program run. Each instance is
// a folder with its own profile and work folder; LibreOffice itself runs only
// while a file is opened (rendered to PDF), so between calls nothing runs. The
// first profile that LibreOffice has set up is kept as a template, so later
// instances start from a copy of it instead of setting up a profile anew.
// The folders live in one folder per program run, marked with the owning
// process; a later run removes such folders whose owner was killed.
//
// While LibreOffice runs, the window's events are handled (events), so other
// commands can run in the middle of a call; only one LibreOffice run is in
// work at a time. When the program ends (lifetime), the run in work is ended
// with its whole process group and the call fails at once.
//
// The file that will be opened next can be prepared: rendered in a fresh
// instance's folders while the program waits between files, so that its
// opening only takes the result.
//
// The slow folder work is done off the window's thread, on a thread of its
// own: a copy of the template is made ahead, so that a new instance only moves
// it into place, and the folders of an instance that has quit are renamed out
// of its way and removed after. Ending all instances waits until that work is
// done and every folder is gone.
class OfficeEngine final {
public:
    OfficeEngine(OfficeOptions options, EventPump& events, const Lifetime& lifetime);
    ~OfficeEngine();
    OfficeEngine(const OfficeEngine&) = delete;
    OfficeEngine& operator=(const OfficeEngine&) = delete;

    // Checks once that LibreOffice can be started, then makes the instance's
    // folders. Throws Failure otherwise.
    std::shared_ptr<OfficeInstanceState> startInstance();
    // Any instance that has not ended, or null.
    std::shared_ptr<OfficeInstanceState> anyInstance() const;
    // Renders the file to PDF in the instance and makes it the active document;
    // a file prepared for it (see prepare) is taken instead. Throws Failure
    // while another file is being rendered.
    void open(OfficeInstanceState& instance, const std::string& path);
    // Removes the instance's folders.
    void endInstance(OfficeInstanceState& instance);
    // Kills a LibreOffice run in work, ends every instance and removes this
    // run's folders (the program is ending).
    void endAll();
    // Starts rendering the file that will be opened next, and returns at once:
    // LibreOffice works on it while the program waits. Only when LibreOffice
    // is known to start and no other run is in work, so that at most one runs
    // at a time; under the same watcher and time limit as an opening. The next
    // open() of that path in a new instance takes the result, waiting for it
    // if need be, and fails as that rendering failed. Any other path, or none
    // (empty), ends a preparation and removes its folders. Never throws: a
    // preparation that cannot be started is not made, and the file is opened
    // at its turn as usual.
    void prepare(const std::string& path);
    // How the instances' requests to the print service are made: off the
    // window's thread, bounded in time.
    const BoundedCall& printService() const { return m_printService; }

private:
    struct Conversion;

    void checkStartable();
    ChildResult run(const ChildRequest& request);
    ChildResult waitFor(ChildProcess& child, double timeLimitSeconds);
    std::shared_ptr<OfficeInstanceState> makeInstance();
    std::unique_ptr<Conversion> beginConversion(OfficeInstanceState& instance, const std::string& path);
    void finishConversion(OfficeInstanceState& instance, Conversion& conversion);
    std::unique_ptr<Conversion> takePrepared(OfficeInstanceState& instance, const std::string& path);
    void dropPrepared();
    std::string ensureRoot();
    void prepareProfile(OfficeInstanceState& instance);
    void keepAsTemplate(const OfficeInstanceState& instance);
    void copyTemplateAhead();
    void removeLater(const std::string& folder);

    OfficeOptions m_options;
    EventPump& m_events;
    const Lifetime& m_lifetime;
    std::string m_root;  // this run's folder: the template and one folder per instance
    std::string m_template;
    bool m_startable = false;
    int m_nextNumber = 1;
    std::map<int, std::shared_ptr<OfficeInstanceState>> m_instances;
    ChildProcess* m_inWork = nullptr;  // the LibreOffice run being waited for
    std::unique_ptr<Conversion> m_prepared;  // the next file, rendering ahead
    BoundedCall m_printService;
    std::future<bool> m_spareProfile;  // a copy of the template made ahead: true once it is there
    int m_removals = 0;                // folders handed over for removal so far
    FolderChores m_chores;             // last, so that its thread ends before the rest goes
};
