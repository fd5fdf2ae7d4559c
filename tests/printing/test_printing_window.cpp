#include <QComboBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/StartupRecorders.h"
#include "app/qt/MainWindow.h"
#include "printing/qt/ProgressBar.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDiagramApp.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePrinters.h"
#include "fakes/FakeSettings.h"
#include "fakes/FakeShell.h"
#include "filelist/qt/FileListView.h"
#include "printing/PrintRun.h"

namespace {

// The main window with fakes for everything outside it.
struct Window {
    Window()
        : fileSystem(log)
    {
        printers.printers = {"Plotter_A", "Plotter_B"};
        printers.defaultPrinter = "Plotter_B";
        server.clock = &clock;
    }
    std::unique_ptr<MainWindow> make()
    {
        MainWindowServices services{dialogs, settings, fileSystem, printers, server, shell, clock, clock, lifetime,
                               "/program",  [] { return 0.5; }};
        return std::make_unique<MainWindow>(services);
    }
    int count(const std::string& text) const
    {
        int found = 0;
        for (const auto& call : server.calls)
            found += call.text == text;
        return found;
    }

    CallLog log;
    FakeDialogs dialogs;
    FakeSettings settings;
    RecordingFileSystem fileSystem;
    FakePrinters printers;
    FakeDiagramAppFactory server;
    FakeShell shell;
    FakeClock clock;
    FakeLifetime lifetime;
};

}  // namespace

class TestPrintingWindow final : public QObject {
    Q_OBJECT
private slots:
    void printerChoiceIsRestoredAtStartUp_data();
    void printerChoiceIsRestoredAtStartUp();
    void noPrinterAtAllIsReportedAndStartUpGoesOn();
    void missingApplicationEndsTheProgramAtStartUp();
    void startPrintingPrintsTheListOnTheChosenPrinter();
    void closingTheWindowMidRunEndsTheInstanceInWork();
    void questionMarkExplainsThePause();
};

void TestPrintingWindow::printerChoiceIsRestoredAtStartUp_data()
{
    QTest::addColumn<QString>("stored");  // "none": no value stored
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("saved");   // Combo1 afterwards
    QTest::addColumn<bool>("reported");
    QTest::newRow("first start") << "none" << 1 << "1" << false;
    QTest::newRow("saved first") << "0" << 0 << "0" << false;
    QTest::newRow("saved none") << "-1" << -1 << "-1" << false;
    QTest::newRow("letters") << "abc" << -1 << "abc" << true;
    QTest::newRow("past the list") << "99" << -1 << "99" << true;
    QTest::newRow("below none") << "-2" << -1 << "-2" << true;
}

void TestPrintingWindow::printerChoiceIsRestoredAtStartUp()
{
    QFETCH(QString, stored);
    QFETCH(int, selected);
    QFETCH(QString, saved);
    QFETCH(bool, reported);
    Window w;
    if (stored != "none")
        w.settings.set("Combo1", stored.toStdString());
    auto form = w.make();
    form->load();
    QCOMPARE(form->printerChoice().count(), 2);
    QCOMPARE(form->printerChoice().currentIndex(), selected);
    QCOMPARE(QString::fromStdString(w.settings.value("Combo1")), saved);
    QCOMPARE(w.dialogs.reportedLines(), reported ? std::vector<int>{136} : std::vector<int>{});
    // The pause list and the installed check still follow.
    QCOMPARE(form->pauseChoice().currentText(), QString("5 seconds"));
    QCOMPARE(w.count("create Visio.Application"), 1);
    QCOMPARE(w.count("quit"), 1);
}

void TestPrintingWindow::noPrinterAtAllIsReportedAndStartUpGoesOn()
{
    Window w;
    w.printers.printers.clear();
    auto form = w.make();
    form->load();
    QCOMPARE(w.dialogs.reportedLines(), std::vector<int>{136});
    QCOMPARE(form->printerChoice().count(), 0);
    QCOMPARE(w.settings.value("Combo1"), std::string("<missing>"));
    QCOMPARE(form->pauseChoice().count(), 10);
}

void TestPrintingWindow::missingApplicationEndsTheProgramAtStartUp()
{
    Window w;
    w.server.cannotCreate = true;
    auto form = w.make();
    form->load();
    QVERIFY(w.lifetime.ended());
    QCOMPARE(w.dialogs.texts().back(),
             std::string("Visio is not installed on this computer. You need to have it installed to use this "
                         "software without error."));
    QVERIFY(!form->isVisible());
}

void TestPrintingWindow::startPrintingPrintsTheListOnTheChosenPrinter()
{
    Window w;
    auto form = w.make();
    form->load();
    form->printerChoice().setCurrentIndex(0);
    form->pauseChoice().setCurrentIndex(2);
    form->fileList().add("/d/one.vsd");
    form->fileList().add("/d/two.vdx");

    QStringList shown;
    QList<int> pointers;
    int turnedAway = 0;
    w.clock.onPump = [&] {
        shown << form->progressBar().text();
        pointers << form->mousePointer();
        if (form->printRun().isPrinting()) {
            form->button(MainWindow::Button::StartPrinting).click();  // ignored while the run is under way
            ++turnedAway;
        }
    };
    form->button(MainWindow::Button::StartPrinting).click();

    QCOMPARE(w.count("open /d/one.vsd"), 1);
    QCOMPARE(w.count("open /d/two.vdx"), 1);
    QCOMPARE(w.count("setActivePrinter Plotter_A"), 2);
    QCOMPARE(w.count("printAllPages"), 2);
    QCOMPARE(w.count("create Visio.Application"), 3);  // the start-up check, then one per file
    QVERIFY(turnedAway > 0);
    QVERIFY(shown.contains("Processing: one.vsd"));
    QVERIFY(shown.contains("Processing: two.vdx"));
    QVERIFY(pointers.contains(MousePointer::Hourglass));
    QCOMPARE(w.clock.waited, 2 * (1.0 + 3.0));
    QCOMPARE(form->progressBar().value(), 0.0);
    QCOMPARE(form->progressBar().text(), QString("Progress Bar"));
    QCOMPARE(form->mousePointer(), MousePointer::Default);
    QCOMPARE(w.dialogs.texts().back(), std::string("Done."));
    QVERIFY(!form->printRun().isPrinting());
    // The choices made by the user were saved as they changed.
    QCOMPARE(w.settings.value("Combo1"), std::string("0"));
    QCOMPARE(w.settings.value("Combo2"), std::string("2"));
}

void TestPrintingWindow::closingTheWindowMidRunEndsTheInstanceInWork()
{
    Window w;
    auto form = w.make();
    form->load();
    form->show();
    form->fileList().add("/d/one.vsd");
    form->fileList().add("/d/two.vsd");
    w.server.onCall = [&](const std::string& call) {
        if (call == "printAllPages")
            form->close();
    };
    const std::size_t before = w.dialogs.messages.size();
    form->button(MainWindow::Button::StartPrinting).click();
    QVERIFY(w.lifetime.ended());
    QCOMPARE(w.server.endAllCalls, 1);
    QCOMPARE(w.server.texts().back(), std::string("printAllPages"));
    QCOMPARE(w.dialogs.messages.size(), before);
}

void TestPrintingWindow::questionMarkExplainsThePause()
{
    Window w;
    auto form = w.make();
    form->load();
    w.dialogs.setApplicationTitle("Title");
    const auto settingsBefore = w.settings.values;
    form->button(MainWindow::Button::ExplainPause).click();
    QCOMPARE(w.dialogs.texts().back(),
             std::string("Please use this pause feature if blank pages are being printed or if files are being "
                         "skipped.\r\n\r\nBy pausing, you will give time for the print jobs to queue properly with "
                         "the physical printer."));
    QCOMPARE(w.dialogs.messages.back().title, std::string("Title"));
    QVERIFY(w.settings.values == settingsBefore);
}

QTEST_MAIN(TestPrintingWindow)
#include "test_printing_window.moc"
