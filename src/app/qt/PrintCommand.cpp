#include "app/qt/PrintCommand.h"

#include <algorithm>
#include <map>
#include <vector>

#include "app/ApplicationTitle.h"
#include "app/ConsoleDialogs.h"
#include "app/ConsolePrintView.h"
#include "app/RawArguments.h"
#include "app/qt/CommandLine.h"
#include "app/qt/SessionStart.h"
#include "base/Lifetime.h"
#include "base/WindowPointer.h"
#include "filelist/DropIntake.h"
#include "filelist/qt/FileListItems.h"
#include "filelist/qt/FileListModel.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Printers.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"
#include "printing/RunRecord.h"
#include "printing/qt/RunOutcomes.h"
#include "settings/SettingsStore.h"
#include "settings/StoredNumber.h"

namespace {

// There is no window whose pointer could show the hourglass.
class NoPointer final : public WindowPointer {
public:
    int mousePointer() const override { return m_value; }
    void setMousePointer(int value) override { m_value = value; }

private:
    int m_value = MousePointer::Default;
};

// Why a command line cannot be printed, with its exit status.
struct Refusal {
    int status;
    std::string text;
};

// The printer of the run: the one named, which must exist, or the system's
// default printer.
std::string printerOf(const CommandLine& line, Printers& printers)
{
    std::vector<std::string> names;
    std::string printer = line.printer;
    try {
        names = printers.names();
        if (printer.empty())
            printer = printers.defaultName();
    } catch (const std::exception& failure) {
        throw Refusal{ExitStatus::Unavailable, std::string("the printers cannot be read: ") + failure.what()};
    }
    if (!line.printer.empty() && std::find(names.begin(), names.end(), line.printer) == names.end())
        throw Refusal{ExitStatus::Usage, "there is no printer named \"" + line.printer + "\""};
    if (printer.empty())
        throw Refusal{ExitStatus::Usage, "the system has no default printer; name one with --printer"};
    return printer;
}

// The pause entry of the run: the one given, or the one the window remembers.
std::string pauseOf(const CommandLine& line, SettingsStore& settings)
{
    int pause = line.pause;
    if (pause < 0) {
        try {
            pause = toInteger16(settings.read(Setting::PausePosition, "5"));
        } catch (const std::exception&) {
            pause = -1;
        }
        if (pause < 0 || pause > CommandLine::LastPause)
            throw Refusal{ExitStatus::Usage, "the window remembers no pause; give one with --pause"};
    }
    return std::to_string(pause) + " seconds";
}

// The files of the run record to print again: those that did not print.
std::vector<std::string> retriedFiles(const std::string& retry, const std::string& recordFolder)
{
    std::string record = retry;
    if (retry == "last") {
        record = recordFolder.empty() ? std::string() : RunRecord::newest(recordFolder);
        if (record.empty())
            throw Refusal{ExitStatus::Usage, "there is no run record to retry"
                                                 + (recordFolder.empty() ? std::string() : " in " + recordFolder)};
    }
    try {
        return RunRecord::unprintedFiles(absoluteArgumentPath(record));
    } catch (const std::exception& failure) {
        throw Refusal{ExitStatus::Usage, failure.what()};
    }
}

// Tells the record what becomes of each file, and keeps the outcomes for the
// run's last line, also when a signal ends the run.
class ConsoleRun final : public PrintRunObserver {
public:
    ConsoleRun(RunOutcomes& outcomes, ConsolePrintView& view, Lifetime& lifetime, bool waitForPaper)
        : m_outcomes(outcomes), m_view(view), m_lifetime(lifetime), m_waitForPaper(waitForPaper)
    {
        QObject::connect(&outcomes, &RunOutcomes::outcomeChanged, [this](int position, const FileOutcome& outcome) {
            if (outcome.outcome == Outcome::InWork)
                return;
            m_known[position] = outcome.outcome;
            m_view.writeLine(outcome.file + ": " + describeOutcome(outcome));
        });
        // After the record's own clean-up, which names the rest not reached,
        // and before the print run's, which may take all the time there is.
        m_atEnd = m_lifetime.addCleanup([this] {
            if (m_files > 0)
                tellCounts();
        });
    }
    ~ConsoleRun() override { m_lifetime.removeCleanup(m_atEnd); }
    ConsoleRun(const ConsoleRun&) = delete;
    ConsoleRun& operator=(const ConsoleRun&) = delete;

    void runStarted(int fileCount) override
    {
        m_files = fileCount;
        m_outcomes.runStarted(fileCount);
    }
    void fileStarted(int position, const std::string& path) override { m_outcomes.fileStarted(position, path); }
    void fileSent(int position, const PrintHandOff& sent) override { m_outcomes.fileSent(position, sent); }
    void fileFailed(int position, int line, const std::string& reason) override
    {
        m_outcomes.fileFailed(position, line, reason);
    }
    void runEnded() override { m_outcomes.runEnded(); }

    // The files that reached the printer: sent, or with the paper awaited, printed.
    int printed() const
    {
        return static_cast<int>(std::count_if(m_known.begin(), m_known.end(), [this](const auto& file) {
            return file.second == Outcome::Printed || (!m_waitForPaper && file.second == Outcome::Sent);
        }));
    }
    int files() const { return m_files; }

    void tellCounts()
    {
        const int failed = static_cast<int>(std::count_if(m_known.begin(), m_known.end(), [](const auto& file) {
            return file.second == Outcome::Failed || file.second == Outcome::Stopped;
        }));
        const int notReached = m_files - static_cast<int>(m_known.size());
        std::string counts = runSummary(printed(), m_files, failed);
        if (m_waitForPaper) {
            const int unfinished = static_cast<int>(std::count_if(
                m_known.begin(), m_known.end(), [](const auto& file) { return file.second == Outcome::Sent; }));
            if (unfinished > 0)
                counts += "; " + std::to_string(unfinished) + " still at the printer";
        }
        if (notReached > 0)
            counts += "; " + std::to_string(notReached) + " not reached";
        const std::string record = m_outcomes.lastRecord();
        m_view.writeLine(counts + (record.empty() ? ". No run record was written." : ". Run record: " + record));
    }

private:
    RunOutcomes& m_outcomes;
    ConsolePrintView& m_view;
    Lifetime& m_lifetime;
    bool m_waitForPaper;
    int m_files = 0;
    int m_atEnd = -1;
    std::map<int, Outcome> m_known;  // by position, once known
};

// Follows the jobs until none is open, the limit has passed or the program ends.
void waitForPaper(RunOutcomes& outcomes, Clock& clock, EventPump& events, const Lifetime& lifetime)
{
    const double limit = CommandLine::WaitLimitMinutes * 60.0;
    const double start = clock.seconds();
    while (outcomes.followedJobs() > 0 && !lifetime.ended()) {
        const double left = limit - (clock.seconds() - start);
        if (left <= 0)
            return;
        events.waitForEvents(std::min(left, 1.0));
    }
}

}  // namespace

int printWithoutWindow(const CommandLine& line, const PrintCommandServices& services)
{
    ConsoleDialogs dialogs(services.err);
    dialogs.setApplicationTitle(applicationTitle(ProductName));
    FileListModel entries;
    EntryItems list(entries);
    std::string printer;
    std::string pause;
    try {
        printer = printerOf(line, services.printers);
        pause = pauseOf(line, services.settings);
        if (!line.retry.empty()) {
            for (const std::string& file : retriedFiles(line.retry, services.recordFolder))
                list.add(file);
        }
    } catch (const Refusal& refusal) {
        services.err << "plotvane: " << refusal.text << std::endl;
        return refusal.status;
    }
    // The paths are taken as a drop onto the window's list takes them.
    DropIntake intake({dialogs, services.fileSystem, services.lifetime, services.events}, list);
    intake.dropFiles(commandLinePaths(line.paths));
    if (list.count() == 0) {
        services.err << "plotvane: " << PrintRun::NoFilesText << std::endl;
        return ExitStatus::Usage;
    }
    if (line.dryRun) {
        for (int position = 1; position <= list.count(); ++position)
            services.out << list.text(position) << '\n';
        services.out << std::flush;
        return ExitStatus::AllSent;
    }

    NoPointer pointer;
    DiagramAppAdapter adapter(services.diagramApps, dialogs, pointer, services.lifetime);
    if (services.endStatus)
        *services.endStatus = ExitStatus::Unavailable;  // the check ends the program when it fails
    if (!adapter.checkInstalled())
        return ExitStatus::Unavailable;
    if (services.endStatus)
        *services.endStatus = ExitStatus::NotAllSent;

    ConsolePrintView view(services.out, services.outIsTerminal, printer, pause);
    // A record that cannot be written is told on standard error; the run goes on.
    const auto tellRecordProblem
        = [&services](const std::string& text) { services.err << "plotvane: " << text << std::endl; };
    RunOutcomes outcomes(entries, tellRecordProblem, services.lifetime, services.recordFolder,
                         line.wait ? services.jobStates : nullptr, services.events, services.now);
    ConsoleRun console(outcomes, view, services.lifetime, line.wait);
    PrintRun run(list, view, adapter, pointer, dialogs, services.clock, services.events, services.lifetime, console);
    run.startPrinting();
    if (line.wait)
        waitForPaper(outcomes, services.clock, services.events, services.lifetime);
    if (services.lifetime.ended())
        return services.endStatus ? *services.endStatus : ExitStatus::NotAllSent;
    console.tellCounts();
    return console.printed() == console.files() ? ExitStatus::AllSent : ExitStatus::NotAllSent;
}

int listPrinters(Printers& printers, std::ostream& out, std::ostream& err)
{
    try {
        for (const std::string& name : printers.names())
            out << name << '\n';
        out << std::flush;
        return ExitStatus::AllSent;
    } catch (const std::exception& failure) {
        err << "plotvane: the printers cannot be read: " << failure.what() << std::endl;
        return ExitStatus::Unavailable;
    }
}
