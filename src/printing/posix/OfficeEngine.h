#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/posix/ChildProcess.h"
#include "printing/posix/OfficeOptions.h"
#include "printing/posix/ProfileTemplate.h"
#include "printing/posix/RunFolders.h"

class EventPump;
class Lifetime;
struct Conversion;

// Runs the private LibreOffice instances of one program run. Each instance is
// a folder with its own profile and work folder; LibreOffice itself runs only
// while a file is opened (rendered to PDF), so between calls nothing runs.
//
// While LibreOffice runs, the window's events are handled (events), so other
// commands can run in the middle of a call; only one LibreOffice run is in
// work at a time. When the program ends (lifetime), the run in work is ended
// with its whole process group and the call fails at once.
//
// The file that will be opened next can be prepared: rendered in a fresh
// instance's folders while the program waits between files, so that its
// opening only takes the result.
class OfficeEngine final {
public:
    // One instance as the program refers to it. Only the engine changes what
    // it holds; it ends when it quits, when the program ends, or when the
    // program holds no reference to it any more (nothing can reach it then).
    class Instance final {
    public:
        bool ended() const { return m_ended; }
        // The active document, rendered, and its file name, the job title.
        const std::string& documentPdf() const { return m_documentPdf; }
        const std::string& documentTitle() const { return m_documentTitle; }
        // Empty: the system's default printer.
        const std::string& activePrinter() const { return m_activePrinter; }
        void setActivePrinter(const std::string& printer) { m_activePrinter = printer; }

    private:
        friend class OfficeEngine;
        int m_number = 0;
        InstanceFolders m_where;
        bool m_ended = false;
        int m_opened = 0;  // documents opened so far
        std::string m_documentPdf;
        std::string m_documentTitle;
        std::string m_activePrinter;
    };

    OfficeEngine(OfficeOptions options, EventPump& events, const Lifetime& lifetime);
    ~OfficeEngine();
    OfficeEngine(const OfficeEngine&) = delete;
    OfficeEngine& operator=(const OfficeEngine&) = delete;

    // Checks once that LibreOffice can be started, then makes the instance's
    // folders. Throws Failure otherwise.
    std::shared_ptr<Instance> startInstance();
    // Any instance that has not ended, or null.
    std::shared_ptr<Instance> anyInstance() const;
    // Renders the file to PDF in the instance and makes it the active document;
    // a file prepared for it (see prepareNext) is taken instead. Throws Failure
    // while another file is being rendered.
    void open(Instance& instance, const std::string& path);
    // Removes the instance's folders.
    void endInstance(Instance& instance);
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
    void prepareNext(const std::string& path);

private:
    struct Prepared;

    void checkStartable();
    ChildResult run(const ChildRequest& request);
    ChildResult waitFor(ChildProcess& child, double timeLimitSeconds);
    std::unique_ptr<Instance> makeInstance();
    std::unique_ptr<Conversion> beginConversion(Instance& instance, const std::string& path);
    void finishConversion(Instance& instance, Conversion& conversion);
    std::unique_ptr<Conversion> takePrepared(Instance& instance, const std::string& path);
    void dropPrepared();

    OfficeOptions m_options;
    EventPump& m_events;
    const Lifetime& m_lifetime;
    bool m_startable = false;
    int m_nextNumber = 1;
    std::map<int, std::weak_ptr<Instance>> m_instances;
    ChildProcess* m_inWork = nullptr;      // the LibreOffice run being waited for
    std::unique_ptr<Prepared> m_prepared;  // the next file, rendering ahead
    RunFolders m_folders;
    ProfileTemplate m_profileTemplate{m_folders};
};
