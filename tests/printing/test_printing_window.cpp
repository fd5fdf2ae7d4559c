#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/qt/MainWindow.h"
#include "filelist/qt/FileListView.h"
#include "printing/PrintRun.h"
#include "printing/qt/ProgressBar.h"
#include "support/WindowRig.h"

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
    QTest::addColumn<QString>("saved");  // Combo1 afterwards
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
    WindowRig w;
    if (stored != "none")
        w.settings.set("Combo1", stored.toStdString());
    auto form = w.open();
    QCOMPARE(form->printerChoice().count(), 2);
    QCOMPARE(form->printerChoice().currentIndex(), selected);
    QCOMPARE(QString::fromStdString(w.settings.value("Combo1")), saved);
    QCOMPARE(w.dialogs.reportedLines(), reported ? std::vector<int>{136} : std::vector<int>{});
    // The pause list and the installed check still follow.
    QCOMPARE(form->pauseChoice().currentText(), QString("5 seconds"));
    QCOMPARE(w.apps.count("create Visio.Application"), 1);
    QCOMPARE(w.apps.count("quit"), 1);
}

void TestPrintingWindow::noPrinterAtAllIsReportedAndStartUpGoesOn()
{
    WindowRig w;
    w.printers.printers.clear();
    auto form = w.open();
    QCOMPARE(w.dialogs.reportedLines(), std::vector<int>{136});
    QCOMPARE(form->printerChoice().count(), 0);
    QCOMPARE(w.settings.value("Combo1"), std::string("<missing>"));
    QCOMPARE(form->pauseChoice().count(), 10);
}

void TestPrintingWindow::missingApplicationEndsTheProgramAtStartUp()
{
    WindowRig w;
    w.apps.cannotCreate = true;
    auto form = w.open();
    QVERIFY(w.lifetime.ended());
    QCOMPARE(w.dialogs.texts().back(),
             std::string("Visio is not installed on this computer. You need to have it installed to use this "
                         "software without error."));
    QVERIFY(!form->isVisible());
}

void TestPrintingWindow::startPrintingPrintsTheListOnTheChosenPrinter()
{
    WindowRig w;
    w.runRecordFolder = "/dev/null/runs";  // cannot be made: told in a note no one answers
    auto form = w.open();
    form->printerChoice().setCurrentIndex(0);
    form->pauseChoice().setCurrentIndex(2);
    form->fileList().items().add("/d/one.vsd");
    form->fileList().items().add("/d/two.vdx");

    QStringList shown;
    QList<int> pointers;
    int turnedAway = 0;
    w.events.onPump = [&] {
        shown << form->progressBar().text();
        pointers << form->mousePointer();
        if (form->printRun().isPrinting()) {
            form->button(MainWindow::Button::StartPrinting).click();  // ignored while the run is under way
            ++turnedAway;
        }
    };
    form->button(MainWindow::Button::StartPrinting).click();

    QCOMPARE(w.apps.count("open /d/one.vsd"), 1);
    QCOMPARE(w.apps.count("open /d/two.vdx"), 1);
    QCOMPARE(w.apps.count("setActivePrinter Plotter_A"), 2);
    QCOMPARE(w.apps.count("printAllPages"), 2);
    QCOMPARE(w.apps.count("create Visio.Application"), 3);  // the start-up check, then one per file
    QVERIFY(turnedAway > 0);
    QVERIFY(shown.contains("Processing: one.vsd"));
    QVERIFY(shown.contains("Processing: two.vdx"));
    QVERIFY(pointers.contains(MousePointer::Hourglass));
    QCOMPARE(w.events.waited, 2 * (1.0 + 3.0));
    QCOMPARE(form->progressBar().value(), 0.0);
    QCOMPARE(form->progressBar().text(), QString("Progress Bar"));
    QCOMPARE(form->mousePointer(), MousePointer::Default);
    QCOMPARE(w.dialogs.texts(), std::vector<std::string>{"Done."});
    QVERIFY(!form->printRun().isPrinting());
    const QList<QMessageBox*> notes = form->findChildren<QMessageBox*>("windowNote");
    QVERIFY(notes.size() == 1 && notes.front()->isVisible() && !notes.front()->isModal());
    QVERIFY(notes.front()->text().contains("/dev/null/runs cannot be made (Not a directory)"));
    // The choices made by the user were saved as they changed.
    QCOMPARE(w.settings.value("Combo1"), std::string("0"));
    QCOMPARE(w.settings.value("Combo2"), std::string("2"));
}

void TestPrintingWindow::closingTheWindowMidRunEndsTheInstanceInWork()
{
    WindowRig w;
    const TempTree records("plotvane-records-");
    w.runRecordFolder = records.root();
    auto form = w.open();
    form->show();
    form->fileList().items().add("/d/one.vsd");
    form->fileList().items().add("/d/two.vsd");
    w.apps.onCall = [&](const std::string& call) {
        if (call == "printAllPages")
            form->close();
    };
    // Ending the instances may take all the time the program is given to end:
    // the run's record is whole before it starts.
    QString recordAtEnd;
    w.apps.onEndAll = [&] {
        for (const QFileInfo& record : QDir(QString::fromStdString(records.root())).entryInfoList({"*.csv"})) {
            QFile file(record.filePath());
            recordAtEnd += file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        }
    };
    const std::size_t before = w.dialogs.messages.size();
    form->button(MainWindow::Button::StartPrinting).click();
    QVERIFY(w.lifetime.ended());
    QCOMPARE(w.apps.endAllCalls, 1);
    QCOMPARE(recordAtEnd.count("not reached"), 2);
    QCOMPARE(w.apps.texts().back(), std::string("printAllPages"));
    QCOMPARE(w.dialogs.messages.size(), before);
}

void TestPrintingWindow::questionMarkExplainsThePause()
{
    WindowRig w;
    auto form = w.open();
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
