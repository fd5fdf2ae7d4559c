#include <QApplication>
#include <QDir>
#include <chrono>
#include <cstdio>
#include <random>

#include "app/HandOverAddress.h"
#include "app/NativeServices.h"
#include "app/RawArguments.h"
#include "app/qt/CloseOverBoxes.h"
#include "app/qt/CommandLine.h"
#include "app/qt/EndOnSignals.h"
#include "app/qt/HandOverQueue.h"
#include "app/qt/HandOverServer.h"
#include "app/qt/MainWindow.h"
#include "app/qt/SessionStart.h"
#include "app/qt/WindowlessProgram.h"
#include "base/ProcessLifetime.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventPump.h"
#include "printing/JobStates.h"
#include "printing/RunRecord.h"
#include "settings/ConversionLimit.h"
#include "settings/qt/QtSettingsStore.h"

namespace {
// A running Plotvane answers from its event loop, which its own start-up may
// hold for a while (the diagram application's check).
constexpr int HandOverAnswerLimitMs = 30000;
}  // namespace

int main(int argc, char* argv[])
{
    // The arguments are read before Qt sees them: Qt would decode them into
    // text, and a file name that is not UTF-8 would lose its bytes.
    const CommandLine line = readCommandLine(rawArguments(argc, argv));
    if (line.mode != CommandLine::Mode::Window)
        return runWithoutWindow(line, argc, argv);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plotvane"));

    // Paths on the command line, and those that later starts in this session
    // hand over, are added once the window is shown.
    HandOverQueue handedOver;
    const std::vector<std::string> paths = commandLinePaths(line.paths);
    if (!paths.empty())
        handedOver.add(paths);
    HandOverServer handOverServer([&](std::vector<std::string> more) { handedOver.add(std::move(more)); });
    switch (startInSession(handOverAddress(), paths, handOverServer, HandOverAnswerLimitMs)) {
    case SessionStart::HandedOver:
        return 0;
    case SessionStart::NoAnswer:
        std::fputs("plotvane: the Plotvane that runs in this session did not take the paths\n", stderr);
        return 1;
    case SessionStart::OwnWindow:
        break;
    }

    QtEventPump events;
    ProcessLifetime lifetime;
    EndOnSignals endOnSignals(lifetime);
    QtSettingsStore settings;
    NativeServices native = makeNativeServices(events, lifetime, conversionSeconds(settings));
    QtDialogs dialogs;
    SteadyClock clock;
    std::mt19937 generator(
        static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    MainWindow window({dialogs, settings, *native.fileSystem, *native.printers, *native.diagramApps, *native.shell,
                       clock, events, lifetime,
                       QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString(),
                       [&] { return unit(generator); }, nullptr, runRecordFolder(), makeJobStateSource()});
    dialogs.setOwner(&window);
    window.load();
    window.showCentred();
    CloseOverBoxes closeOverBoxes(window, lifetime);
    handedOver.open([&](const std::vector<std::string>& more) { window.takeHandedOver(more); });
    return QApplication::exec();
}
