// Test label: system (LibreOffice, a private CUPS scheduler and IPP printers)
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "filelist/qt/FileListView.h"
#include "support/PrintingTestSupport.h"
#include "support/RealPartsWindow.h"

using namespace printing_test;

// "Start Printing" from the real window onto real IPP Everywhere printers:
// LibreOffice renders, a private CUPS scheduler passes each job through its
// driverless queue and filters to an ippeveprinter, and the test reads what
// each printer received and what each job asked for.
class TestPrintPaperEndToEnd final : public QObject {
    Q_OBJECT
private slots:
    void eachDrawingArrivesOnItsOwnPaper();
};

namespace {

const std::string Letter = "na_letter_8.5x11in";
const std::string A4 = "iso_a4_210x297mm";
const std::string A3 = "iso_a3_297x420mm";

struct Drawing {
    std::string path;
    std::string title;
    std::string media;   // what its job asks for; empty: nothing
    std::string sheets;  // the paper of each page that arrives, "WxH" in mm
    std::string text;    // shown on it somewhere
};

}  // namespace

void TestPrintPaperEndToEnd::eachDrawingArrivesOnItsOwnPaper()
{
    PrivateCups cups({});
    QVERIFY2(cups.started(), "the private CUPS scheduler did not start");
    auto printer = cups.addPrinter("Office_A3", Letter + "," + A4 + "," + A3, A4);
    if (printer.started)
        printer = cups.addPrinter("Office_A4", Letter + "," + A4, Letter);
    if (printer.cannotRunHere)
        QSKIP(("no IPP Everywhere printer can run here: " + printer.reason).c_str());
    QVERIFY2(printer.started, printer.reason.c_str());

    const TempTree drawingsFolder("plotvane-paper-drawings-");
    const TempTree workFolder("plotvane-paper-work-");
    const std::string& drawings = drawingsFolder.root();
    const std::string& work = workFolder.root();
    writeVdx(drawings + "/a4 detail.vdx", {"Detail on A4"}, 8.26772, 11.69291);
    const std::string samples = qEnvironmentVariable("PLOTVANE_PROGRAM_DIR").toStdString() + "/Samples/";
    // The Letter samples, the A3-landscape plan, the survey set whose A4 and
    // A3 pages LibreOffice renders both at the larger size, and an A4 drawing.
    const std::vector<Drawing> onA3 = {
        {samples + "Network Sketch.vsdx", "Network Sketch.vsdx", Letter, "216x279 ", "Network Sketch"},
        {samples + "Office Layout.vsdx", "Office Layout.vsdx", Letter, "216x279 216x279 ", "First Floor"},
        {samples + "Site Plan.vdx", "Site Plan.vdx", A3, "297x420 ", "Riverside Depot"},
        {samples + "Survey Set.vsdx", "Survey Set.vsdx", A3, "297x420 297x420 ", "Flood Line"},
        {drawings + "/a4 detail.vdx", "a4 detail.vdx", A4, "210x297 ", "Detail on A4"},
    };
    // Without A3 the plan asks for nothing and fits the default paper.
    const std::vector<Drawing> onA4 = {
        {samples + "Site Plan.vdx", "Site Plan.vdx", "", "216x279 ", "Riverside Depot"},
        {samples + "Process Flow.vdx", "Process Flow.vdx", Letter, "216x279 ", "Print Run"},
    };

    RealPartsWindow parts(work);
    {
        const auto window = parts.open();
        MainWindow& form = *window;
        QVERIFY(!parts.lifetime.ended());
        form.show();
        form.pauseChoice().setCurrentIndex(0);

        for (const auto& [queue, list] :
             {std::make_pair(std::string("Office_A3"), onA3), std::make_pair(std::string("Office_A4"), onA4)}) {
            const int index = form.printerChoice().findText(QString::fromStdString(queue));
            QVERIFY2(index >= 0, queue.c_str());
            form.printerChoice().setCurrentIndex(index);
            form.fileList().items().clear();
            for (const auto& drawing : list)
                form.fileList().items().add(drawing.path);
            const std::size_t before = cups.received(queue).size();
            const std::size_t jobsBefore = cups.jobs().size();

            form.button(MainWindow::Button::StartPrinting).click();
            QVERIFY(parts.dialogs.reportedLines().empty());
            QCOMPARE(parts.dialogs.texts().back(), std::string("Done."));
            QVERIFY2(cups.jobsEnded(180), "the printers did not take every job");

            // One job per drawing here: LibreOffice renders all pages of a
            // drawing at one size.
            auto jobs = cups.jobs();
            jobs.erase(jobs.begin(), jobs.begin() + static_cast<std::ptrdiff_t>(std::min(jobsBefore, jobs.size())));
            const auto received = cups.received(queue);
            QCOMPARE(jobs.size(), list.size());
            QCOMPARE(received.size(), before + list.size());
            for (std::size_t i = 0; i < list.size(); ++i) {
                const auto& drawing = list[i];
                const std::string& arrived = received[before + i];
                const char* what = drawing.title.c_str();
                QCOMPARE(jobs[i].queue, queue);
                QCOMPARE(jobs[i].title, drawing.title);
                QCOMPARE(cups.jobAttribute(jobs[i].id, "media"), drawing.media);
                QCOMPARE(pdfSheets(arrived), drawing.sheets);
                // Every page arrives in order with the text LibreOffice gave it.
                const auto sent = pdfPageWords(jobs[i].document);
                QCOMPARE(pdfPageWords(arrived), sent);
                QVERIFY2(pdfText(arrived).find(drawing.text) != std::string::npos, what);
                for (const auto& page : sent)
                    QVERIFY2(!page.empty(), what);
            }
        }
    }
    QVERIFY(processesMentioning(work).empty());
    parts.office.reset();
    QVERIFY(folderEntries(work).empty());
}

QTEST_MAIN(TestPrintPaperEndToEnd)
#include "test_print_paper_endtoend.moc"
