#include "app/qt/WindowlessProgram.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/Console.h"
#include "app/NativeServices.h"
#include "app/qt/CommandLine.h"
#include "app/qt/EndOnSignals.h"
#include "app/qt/PrintCommand.h"
#include "base/ProcessLifetime.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtEventPump.h"
#include "printing/RunRecord.h"
#include "settings/ConversionLimit.h"
#include "settings/qt/QtSettingsStore.h"

namespace {

std::string programName(const char* path)
{
    std::string name = path ? path : "plotvane";
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const std::size_t exe = name.size() >= 4 ? name.size() - 4 : std::string::npos;
    if (exe != std::string::npos && (name.compare(exe, 4, ".exe") == 0 || name.compare(exe, 4, ".EXE") == 0))
        name.erase(exe);
    return name;
}

}  // namespace

int runWithoutWindow(const CommandLine& line, int argc, char* argv[])
{
    switch (line.mode) {
    case CommandLine::Mode::Refused:
        std::cerr << "plotvane: " << line.problem << " (plotvane --help lists the options)" << std::endl;
        return ExitStatus::Usage;
    case CommandLine::Mode::Help:
        std::cout << commandLineHelp(programName(argc > 0 ? argv[0] : nullptr)) << std::flush;
        return ExitStatus::AllSent;
    case CommandLine::Mode::Version:
        std::cout << "plotvane " << PLOTVANE_VERSION << std::endl;
        return ExitStatus::AllSent;
    default:
        break;
    }

    // Qt is given only what makes it start without a display: the command
    // line is read already.
    std::vector<std::string> qtArguments = Console::windowlessQtArguments();
    qtArguments.insert(qtArguments.begin(), argc > 0 ? argv[0] : "plotvane");
    std::vector<char*> qtArgv;
    for (std::string& argument : qtArguments)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());
    QGuiApplication application(qtArgc, qtArgv.data());
    QGuiApplication::setApplicationName(QStringLiteral("Plotvane"));

    // A signal, or a failed check of the diagram application, ends the
    // process from within the run, with the status the run has set.
    int endStatus = ExitStatus::NotAllSent;
    QtEventPump events;
    ProcessLifetime lifetime(ProcessLifetime::CleanupLimit, [&endStatus] {
        std::cout.flush();
        std::fflush(nullptr);
        std::_Exit(endStatus);
    });
    EndOnSignals endOnSignals(lifetime, [&endStatus](int signal) { endStatus = ExitStatus::AfterSignal + signal; });
    QtSettingsStore settings;
    NativeServices native = makeNativeServices(
        events, lifetime, line.conversionSeconds > 0 ? line.conversionSeconds : conversionSeconds(settings));
    if (line.mode == CommandLine::Mode::ListPrinters)
        return listPrinters(*native.printers, std::cout, std::cerr);

    SteadyClock clock;
    PrintCommandServices services{
        *native.fileSystem, *native.printers, *native.diagramApps, settings, clock, events, lifetime,
        std::cout,          std::cerr};
    services.outIsTerminal = Console::outputIsTerminal();
    services.recordFolder = runRecordFolder();
    services.jobStates = makeJobStateSource();
    services.endStatus = &endStatus;
    return printWithoutWindow(line, services);
}
