#include <QApplication>
#include <QDir>
#include <chrono>
#include <random>

#include "app/NativeServices.h"
#include "app/qt/EndOnSignals.h"
#include "app/qt/MainWindow.h"
#include "base/ProcessLifetime.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventPump.h"
#include "printing/JobStates.h"
#include "printing/RunRecord.h"
#include "settings/qt/QtSettingsStore.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plotvane"));

    QtEventPump events;
    ProcessLifetime lifetime;
    EndOnSignals endOnSignals(lifetime);
    NativeServices native = makeNativeServices(events, lifetime);
    QtDialogs dialogs;
    QtSettingsStore settings;
    SteadyClock clock;
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    MainWindow window({dialogs, settings, *native.fileSystem, *native.printers, *native.diagramApps, *native.shell,
                       clock, events, lifetime,
                       QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString(),
                       [&] { return unit(generator); }, nullptr, runRecordFolder(), makeJobStateSource()});
    dialogs.setOwner(&window);
    window.load();
    window.showCentred();
    return QApplication::exec();
}
