// Test label: system (LibreOffice, a private CUPS scheduler and an IPP printer)
#include <QComboBox>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <map>
#include <sstream>

#include "filelist/qt/FileListView.h"
#include "support/PrintingTestSupport.h"
#include "support/RealPartsWindow.h"
#include "printing/qt/RunOutcomes.h"

using namespace printing_test;

// What each file of a run came to, from the real window through LibreOffice
// to a private CUPS scheduler: the list's tooltips and the run record, with
// every job followed to the printer.
class TestOutcomesEndToEnd final : public QObject {
    Q_OBJECT
private slots:
    void eachFileEndsWithWhatBecameOfIt();
};

namespace {

// The record's header and its rows by file, read as CSV: quoted fields may
// hold commas, doubled quotes and line breaks; rows end with CR LF.
std::map<std::string, std::vector<std::string>> recordRows(const std::string& path, std::string& header)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::vector<std::string>> lines(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            lines.back().back() += text[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            lines.back().emplace_back();
        else if (!quoted && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' && ++i)
            lines.emplace_back(1);
        else
            lines.back().back() += c;
    }
    std::map<std::string, std::vector<std::string>> rows;
    header.clear();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string joined;
        for (const auto& field : lines[i])
            joined += (joined.empty() ? "" : ",") + field;
        if (i == 0)
            header = joined;
        else
            rows[lines[i].size() > 1 ? lines[i][1] : joined] = lines[i];
    }
    return rows;
}

QString tooltipOf(FileListView& list, int position)
{
    return list.entries().index(position - 1, 0).data(Qt::ToolTipRole).toString();
}

}  // namespace

void TestOutcomesEndToEnd::eachFileEndsWithWhatBecameOfIt()
{
    PrivateCups cups({"Jammed"});
    QVERIFY2(cups.started(), "the private CUPS scheduler did not start");
    const auto printer
        = cups.addPrinter("Office_A3", "na_letter_8.5x11in,iso_a4_210x297mm,iso_a3_297x420mm", "iso_a4_210x297mm");
    if (printer.cannotRunHere)
        QSKIP(("no IPP Everywhere printer can run here: " + printer.reason).c_str());
    QVERIFY2(printer.started, printer.reason.c_str());

    const TempTree drawings("plotvane-outcome-drawings-");
    const TempTree work("plotvane-outcome-work-");
    const TempTree records("plotvane-outcome-records-");
    const std::string broken = drawings.root() + "/broken.vdx";
    writeFile(broken, "this is no drawing");
    const std::string samples = qEnvironmentVariable("PLOTVANE_PROGRAM_DIR").toStdString() + "/Samples/";
    const std::vector<std::string> printed = {samples + "Network Sketch.vsdx", samples + "Office Layout.vsdx",
                                              samples + "Site Plan.vdx", samples + "Survey Set.vsdx"};

    RealPartsWindow parts(work.root());
    parts.runRecordFolder = records.root();
    parts.jobStates = makeJobStateSource();
    const auto window = parts.open();
    MainWindow& form = *window;
    FileListView& list = form.fileList();
    form.show();
    form.pauseChoice().setCurrentIndex(0);
    const auto print = [&](const std::string& queue, const std::vector<std::string>& files) {
        form.printerChoice().setCurrentIndex(form.printerChoice().findText(QString::fromStdString(queue)));
        list.items().clear();
        for (const auto& file : files)
            list.items().add(file);
        form.button(MainWindow::Button::StartPrinting).click();
    };

    // The samples print; the broken file fails where it is opened.
    print("Office_A3", {printed[0], printed[1], broken, printed[2], printed[3]});
    QCOMPARE(parts.dialogs.texts().back(), std::string("Done."));
    QVERIFY(!parts.dialogs.reportedLines().empty() && parts.dialogs.reportedLines().front() == 120);
    const std::string openFailure = parts.dialogs.texts().front().substr(0, parts.dialogs.texts().front().find('\r'));
    QTRY_VERIFY_WITH_TIMEOUT(form.runOutcomes().followedJobs() == 0, 180000);
    const QString notPrinted = QString::fromStdString("Not printed: line 120: " + openFailure);
    QCOMPARE(tooltipOf(list, 3), notPrinted);
    std::map<std::string, int> jobOf;
    for (const auto& job : cups.jobs())
        jobOf[job.title] = job.id;
    std::string header;
    auto rows = recordRows(form.runOutcomes().lastRecord(), header);
    QCOMPARE(header, std::string("\xEF\xBB\xBFstarted,file,printer,pages,paper,job,outcome,reason"));
    QCOMPARE(rows.size(), std::size_t(5));
    QCOMPARE(rows[broken],
             (std::vector<std::string>{rows[broken][0], broken, "", "", "", "", "failed", "line 120: " + openFailure}));
    const std::map<std::string, std::string> paperOf
        = {{"na_letter_8.5x11in", "Letter"}, {"iso_a3_297x420mm", "A3"}, {"iso_a4_210x297mm", "A4"}, {"", ""}};
    const int positions[] = {1, 2, 4, 5};
    for (int i = 0; i < 4; ++i) {
        const std::string& file = printed[static_cast<std::size_t>(i)];
        const std::string title = file.substr(file.rfind('/') + 1);
        const int job = jobOf[title];
        QVERIFY2(job > 0, title.c_str());
        std::string document;
        for (const auto& spooled : cups.jobs())
            document = spooled.id == job ? spooled.document : document;
        const std::string pages = std::to_string(pdfPageWords(document).size());
        const std::string paper = paperOf.at(cups.jobAttribute(job, "media"));
        QCOMPARE(rows[file], (std::vector<std::string>{rows[file][0], file, "Office_A3", pages, paper,
                                                       std::to_string(job), "printed", ""}));
        QVERIFY(tooltipOf(list, positions[i])
                    .startsWith(
                        QString::fromStdString("Printed on Office_A3 as job " + std::to_string(job) + ": " + pages)));
    }

    // A queue stopped for a paper jam holds its jobs; one of them is then
    // cancelled.
    QCOMPARE(std::system("cupsdisable -r 'Paper jam' Jammed"), 0);
    print("Jammed", {printed[0], printed[2]});
    QCOMPARE(parts.dialogs.texts().back(), std::string("Done."));
    QTRY_VERIFY_WITH_TIMEOUT(tooltipOf(list, 1).endsWith(": Paper jam") && tooltipOf(list, 2).endsWith(": Paper jam"),
                             30000);
    QVERIFY(tooltipOf(list, 1).startsWith("Stopped by the printer Jammed as job "));
    int cancelled = 0;
    for (const auto& job : cups.jobs())
        cancelled = job.title == "Site Plan.vdx" ? job.id : cancelled;
    QCOMPARE(std::system(("cancel " + std::to_string(cancelled)).c_str()), 0);
    QTRY_VERIFY_WITH_TIMEOUT(tooltipOf(list, 2).contains("the job was cancelled"), 30000);
    QCOMPARE(tooltipOf(list, 1).endsWith(": Paper jam"), true);
    rows = recordRows(form.runOutcomes().lastRecord(), header);
    QCOMPARE(rows.size(), std::size_t(2));
    QCOMPARE(rows[printed[0]].at(6), std::string("stopped"));
    QCOMPARE(rows[printed[0]].at(7), std::string("Paper jam"));
    QCOMPARE(rows[printed[2]].at(6), std::string("stopped"));
    QVERIFY(rows[printed[2]].at(7).find("the job was cancelled") != std::string::npos);
    std::system("cancel -a Jammed");
}

QTEST_MAIN(TestOutcomesEndToEnd)
#include "test_outcomes_endtoend.moc"
