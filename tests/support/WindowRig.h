#pragma once

// The main window over fakes of everything outside it, for the widget tests. A
// test adjusts a fake in one line before make() (rig.printers.printers = {}),
// or puts a real part in its place through `real` (rig.real.apps = &office).
// The program folder is a temporary folder; the fake file system starts empty.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <string>

#include "app/qt/MainWindow.h"
#include "fakes/CallRecord.h"
#include "fakes/FakePump.h"
#include "fakes/FakeDiagramApp.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePrinters.h"
#include "fakes/FakeSettings.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeSkin.h"
#include "fakes/MemoryFileSystem.h"
#include "support/TempTree.h"

struct WindowRig {
    WindowRig()
    {
        printers.printers = {"Plotter_A", "Plotter_B"};
        printers.defaultPrinter = "Plotter_B";
        apps.clock = &clock;
    }

    // Real parts in place of the fakes, where a test wants them.
    struct RealParts {
        SettingsStore* settings = nullptr;
        FileSystem* fileSystem = nullptr;
        Printers* printers = nullptr;
        DiagramAppFactory* apps = nullptr;
        Clock* clock = nullptr;
        EventPump* events = nullptr;
    };

    std::unique_ptr<MainWindow> make()
    {
        MainWindowServices services{dialogs,
                                    real.settings ? *real.settings : settings,
                                    real.fileSystem ? *real.fileSystem : fileSystem,
                                    real.printers ? *real.printers : printers,
                                    real.apps ? *real.apps : apps,
                                    shell,
                                    real.clock ? *real.clock : clock,
                                    real.events ? *real.events : events,
                                    lifetime,
                                    programFolder,
                                    [draw = randomDraw] { return draw; }};
        services.skin = fakeSkin ? &skin : nullptr;
        services.runRecordFolder = runRecordFolder;
        services.jobStates = jobStates;
        return std::make_unique<MainWindow>(std::move(services));
    }
    // A window that has run its start-up.
    std::unique_ptr<MainWindow> open()
    {
        auto window = make();
        window->load();
        return window;
    }

    // The settings, the file system, the printers, the diagram application and
    // the skin write their calls into `log`, in the order they are made.
    void logCalls()
    {
        settings.calls.log = &log;
        fileSystem.calls.log = &log;
        printers.calls.log = &log;
        apps.log = &log;
        skin.calls.log = &log;
    }

    // Writes a file beside the program, on the disk and in the fake file system.
    void writeBesideProgram(const std::string& relative, const QByteArray& bytes)
    {
        const QString path = QString::fromStdString(programFolder + relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        fileSystem.addFileAndFolders(programFolder + relative);
    }

    // One of the program's own files from the source tree's resources.
    static QByteArray resource(const QString& name)
    {
        QFile file(QStringLiteral(PLOTVANE_SOURCE_DIR "/resources/") + name);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the resource %s", qPrintable(name));
        return file.readAll();
    }

    RealParts real;
    std::string runRecordFolder;                // run records are kept only where a test asks
    std::shared_ptr<JobStateSource> jobStates;  // and jobs followed only where a test asks
    CallLog log;
    FakeDialogs dialogs;
    FakeSettings settings;
    MemoryFileSystem fileSystem{PathStyle::Posix};
    FakePrinters printers;
    FakeDiagramAppFactory apps;
    FakeSkin skin;
    FakeShell shell;
    FakePump events;
    FakeClock clock{events.time};
    FakeLifetime lifetime;
    TempTree programDir;
    std::string programFolder = programDir.root();
    double randomDraw = 0.5;  // what the window's random draws give
    bool fakeSkin = true;     // false: the window's own skin component
};
