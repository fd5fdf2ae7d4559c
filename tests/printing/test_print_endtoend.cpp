// Test label: system (LibreOffice and a private CUPS scheduler)
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "filelist/qt/FileListView.h"
#include "support/PrintingTestSupport.h"
#include "support/RealPartsWindow.h"

using namespace printing_test;

// "Start Printing" from the real window with the real parts: LibreOffice
// renders, a private CUPS scheduler receives the jobs, and the test reads back
// what reached its spool.
class TestPrintEndToEnd final : public QObject {
    Q_OBJECT
private slots:
    void printsTheListInOrderOnTheChosenPrinter();
};

void TestPrintEndToEnd::printsTheListInOrderOnTheChosenPrinter()
{
    PrivateCups cups({"Plotter_A", "Plotter_B"});
    QVERIFY2(cups.started(), "the private CUPS scheduler did not start");
    QVERIFY(cups.setDefault("Plotter_B"));

    const TempTree drawingsTree{"plotvane-e2e-drawings-"};
    const std::string drawings = drawingsTree.root();
    const TempTree workTree{"plotvane-e2e-work-"};
    const std::string work = workTree.root();
    writeVdx(drawings + "/alpha.vdx", {"Alpha drawing"});
    writeFile(drawings + "/broken.vsdx", "this is no drawing at all\n");
    writeVsdx(drawings + "/two pages.vsdx", {"First sheet", "Second sheet"});
    writeVdx(drawings + "/-odd 'name\" über.vdx", {"Odd name"});
    // The drawings shipped beside the program come first, when the build laid
    // them there; their content is theirs, so only their arrival is checked.
    struct Expected {
        std::string path;
        std::string title;
        std::string text;  // empty: any text
        int pages;         // 0: at least one
    };
    std::vector<Expected> good;
    const QDir samples(qEnvironmentVariable("PLOTVANE_PROGRAM_DIR") + "/Samples");
    for (const QString& name : samples.entryList({"*.vsdx", "*.vdx", "*.vsd"}, QDir::Files, QDir::Name))
        good.push_back({samples.filePath(name).toStdString(), name.toStdString(), "", 0});
    good.push_back({drawings + "/alpha.vdx", "alpha.vdx", "Alpha drawing", 1});
    good.push_back({drawings + "/two pages.vsdx", "two pages.vsdx", "Second sheet", 2});
    good.push_back({drawings + "/-odd 'name\" über.vdx", "-odd 'name\" über.vdx", "Odd name", 1});

    RealPartsWindow parts(work);
    {
        const auto window = parts.open();
        MainWindow& form = *window;
        QVERIFY(!parts.lifetime.ended());
        // Our queues are offered; printers found on the network may be too.
        const int plotterA = form.printerChoice().findText("Plotter_A");
        const int plotterB = form.printerChoice().findText("Plotter_B");
        QVERIFY(plotterA >= 0 && plotterB >= 0);
        QCOMPARE(form.printerChoice().currentText(), QString("Plotter_B"));  // the default printer
        QCOMPARE(parts.settings.value("Combo1"), std::to_string(plotterB));
        form.show();

        form.printerChoice().setCurrentIndex(plotterA);  // the user picks Plotter_A
        form.pauseChoice().setCurrentIndex(0);           // and the shortest pause
        // The broken file sits between good ones.
        for (std::size_t i = 0; i < good.size(); ++i) {
            form.fileList().items().add(good[i].path);
            if (i == good.size() - 3)
                form.fileList().items().add(drawings + "/broken.vsdx");
        }
        const std::size_t jobsBefore = cups.jobs().size();

        QElapsedTimer timer;
        timer.start();
        form.button(MainWindow::Button::StartPrinting).click();
        qInfo("%d files printed in %.1f s", form.fileList().items().count(), timer.elapsed() / 1000.0);

        // The broken file fails to open, so its printer, print and quit steps fail too.
        QCOMPARE(parts.dialogs.reportedLines(), (std::vector<int>{120, 122, 126, 132}));
        QVERIFY(parts.dialogs.texts().front().find("broken.vsdx") != std::string::npos);
        QCOMPARE(parts.dialogs.texts().back(), std::string("Done."));

        const auto jobs = cups.jobs();
        QCOMPARE(jobs.size(), jobsBefore + good.size());
        for (std::size_t i = 0; i < good.size() && jobsBefore + i < jobs.size(); ++i) {
            const auto& job = jobs[jobsBefore + i];
            const std::string text = pdfText(job.document);
            QCOMPARE(job.queue, std::string("Plotter_A"));
            QCOMPARE(job.title, good[i].title);
            QVERIFY2(text.find_first_not_of(" \n\f") != std::string::npos, good[i].title.c_str());
            QVERIFY2(text.find(good[i].text) != std::string::npos, good[i].title.c_str());
            if (good[i].pages > 0)
                QCOMPARE(pdfPages(job.document), good[i].pages);
            else
                QVERIFY(pdfPages(job.document) >= 1);
        }

        // Plotter_B is chosen, then goes from CUPS: nothing prints, anywhere.
        form.printerChoice().setCurrentIndex(plotterB);
        QVERIFY(cups.removeQueue("Plotter_B") && cups.setDefault("Plotter_A"));
        form.fileList().items().clear();
        form.fileList().items().add(drawings + "/alpha.vdx");
        form.button(MainWindow::Button::StartPrinting).click();
        QCOMPARE(parts.dialogs.reportedLines(), (std::vector<int>{120, 122, 126, 132, 122, 126}));
        QVERIFY(
            parts.dialogs.texts().at(6).rfind("Not printed: the printer \"Plotter_B\" could not be set (line 122)", 0)
            == 0);
        QCOMPARE(cups.jobs().size(), jobs.size());
    }
    QVERIFY(processesMentioning(work).empty());
    parts.office.reset();
    QVERIFY(folderEntries(work).empty());
}

QTEST_MAIN(TestPrintEndToEnd)
#include "test_print_endtoend.moc"
