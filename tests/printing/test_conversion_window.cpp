// Test label: system (a private CUPS scheduler)
#include <QComboBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/qt/MainWindow.h"
#include "filelist/qt/FileListView.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtEventPump.h"
#include "support/MadePdf.h"
#include "printing/PrintRun.h"
#include "support/PrintingTestSupport.h"
#include "printing/posix/OfficeAppFactory.h"
#include "printing/qt/ProgressBar.h"
#include "support/WindowRig.h"

using namespace printing_test;

namespace {

// The main window with the real LibreOffice backend and event pump, printing
// into a private scheduler. LibreOffice is a stand-in that answers --version,
// notes each file it converts ("started") and a run beside its own ("overlap"),
// renders good*, cannot load bad*, and for any other starts a helper, notes
// both process ids and waits until the test lets it go on, producing nothing.
struct ConversionWindow : WindowRig {
    explicit ConversionWindow(const QStringList& files = {"one.vdx"})
    {
        static PrivateCups cups({"Plotter_A"});
        writeFile(folder + "/soffice", "#!/bin/sh\nF=" + shellQuoted(folder) + R"(
for a in "$@"; do [ "$a" = --version ] && exit 0; done
for a; do [ "$prev" = --outdir ] && out=$a; prev=$a; done; a=$(readlink -f "$a")
ls "$F"/live.* >/dev/null 2>&1 && touch "$F/overlap"; touch "$F/live.$$"
echo "$a" >> "$F/started"; touch "$F/started-${a##*/}"
case ${a##*/} in
good*) sleep 0.3; cp "$F/made.pdf" "$out/x.pdf";; bad*) echo 'Error: cannot be loaded';;
*) sleep 600 & echo $$ $! > "$F/ids.$$"
   # renamed once written, so that the test never reads it half-written
   mv "$F/ids.$$" "$F/converting.$$"
   while [ ! -e "$F/go" ]; do sleep 0.05; done;;
esac
rm "$F/live.$$"
)");
        ::chmod((folder + "/soffice").c_str(), 0700);
        writeFile(folder + "/made.pdf", madePdf({{mediaBox(612, 792), "Made"}}));
        printers.printers = {"Plotter_A"};
        OfficeOptions options;
        options.program = folder + "/soffice";
        options.workRoot = work;
        options.timeLimitSeconds = 60;  // a window that is dead for a conversion waits this long
        office = std::make_unique<OfficeAppFactory>(events, lifetime, options);
        real = {nullptr, nullptr, nullptr, office.get(), &steadyClock, &events};
        form = open();
        form->show();
        form->printerChoice().setCurrentIndex(0);
        form->pauseChoice().setCurrentIndex(0);
        for (const QString& file : files) {
            writeVdx(folder + "/" + file.toStdString(), {"Drawing"});
            form->fileList().items().add(folder + "/" + file.toStdString());
        }
    }
    ~ConversionWindow()
    {
        form.reset();
        office.reset();
    }
    // The process ids of each conversion started so far: the stand-in, which
    // leads its group, and its helper.
    std::vector<std::pair<int, int>> conversions() const
    {
        std::vector<std::pair<int, int>> found;
        for (const auto& name : folderEntries(folder)) {
            if (name.rfind("converting.", 0) == 0) {
                std::ifstream ids(folder + "/" + name);
                int leader = 0;
                int helper = 0;
                ids >> leader >> helper;
                found.emplace_back(leader, helper);
            }
        }
        return found;
    }
    // Runs `during` once, from the window's event loop, as soon as a
    // conversion is in work.
    void onceConverting(std::function<void()> during)
    {
        check = [this, during] {
            if (conversions().empty())
                QTimer::singleShot(20, form.get(), check);
            else
                during();
        };
        QTimer::singleShot(0, form.get(), check);
    }

    TempTree folderTree{"plotvane-conversion-"};
    std::string folder = folderTree.root();
    TempTree workTree{"plotvane-conversion-work-"};
    std::string work = workTree.root();
    SteadyClock steadyClock;
    QtEventPump events;
    std::unique_ptr<OfficeAppFactory> office;
    std::unique_ptr<MainWindow> form;
    std::function<void()> check;
};

class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

}  // namespace

// The window while LibreOffice converts a file: it repaints and handles other
// commands as during the pauses, and closing it ends the conversion at once.
class TestConversionWindow final : public QObject {
    Q_OBJECT
private slots:
    void windowIsAliveDuringAConversion();
    void nextFileIsPreparedAndItsFailureReportedAtItsTurn();
    void closingMidConversionEndsItsGroupAtOnce_data();
    void closingMidConversionEndsItsGroupAtOnce();
};

void TestConversionWindow::windowIsAliveDuringAConversion()
{
    ConversionWindow w;
    PaintCounter counter;
    w.form->installEventFilter(&counter);
    w.dialogs.openFilesAnswers.push_back({{w.folder + "/two.vdx"}, false});
    bool converting = false;
    bool hourglass = false;
    int paintsBefore = 0;
    int paintsDuring = 0;
    int listDuring = 0;
    w.onceConverting([&] {
        converting = alive(w.conversions().front().first);
        hourglass = w.form->mousePointer() == MousePointer::Hourglass;
        paintsBefore = counter.paints;
        w.form->update();
        QTimer::singleShot(50, w.form.get(), [&] {
            paintsDuring = counter.paints - paintsBefore;
            w.form->button(MainWindow::Button::AddFiles).click();       // intake works
            w.form->button(MainWindow::Button::ClearList).click();      // editing is inert
            w.form->button(MainWindow::Button::StartPrinting).click();  // turned away
            listDuring = w.form->fileList().items().count();
            converting = converting && alive(w.conversions().front().first);
            writeFile(w.folder + "/go", "");
        });
    });
    w.form->button(MainWindow::Button::StartPrinting).click();

    QVERIFY(converting);
    QVERIFY(hourglass);
    QVERIFY(paintsDuring > 0);
    QCOMPARE(listDuring, 2);
    QCOMPARE(w.conversions().size(), std::size_t(1));
    // The stand-in produced nothing: the file fails to open, and its steps after it.
    QCOMPARE(w.dialogs.reportedLines(), (std::vector<int>{120, 122, 126, 132}));
    QVERIFY(w.dialogs.texts().front().find("not a drawing") != std::string::npos);
    QCOMPARE(w.dialogs.texts().back(), std::string("Done."));
}

void TestConversionWindow::nextFileIsPreparedAndItsFailureReportedAtItsTurn()
{
    ConversionWindow w({"good-1.vdx", "bad-2.vdx"});
    QString shownWhenStarted, shownAtReport;  // by the bar, when bad-2 was started on and reported
    QTimer look;
    look.callOnTimeout([&] {
        if (shownWhenStarted.isEmpty() && exists(w.folder + "/started-bad-2.vdx"))
            shownWhenStarted = w.form->progressBar().text();
        if (shownAtReport.isEmpty() && !w.dialogs.reportedLines().empty())
            shownAtReport = w.form->progressBar().text();
    });
    look.start(10);
    w.form->button(MainWindow::Button::StartPrinting).click();

    QCOMPARE(shownWhenStarted, QString("Processing: good-1.vdx"));
    QCOMPARE(shownAtReport, QString("Processing: bad-2.vdx"));
    QCOMPARE(w.dialogs.reportedLines(), (std::vector<int>{120, 122, 126, 132}));
    QVERIFY(w.dialogs.texts().front().find("cannot be loaded") != std::string::npos);
    QCOMPARE(capture("wc -l < " + shellQuoted(w.folder + "/started")), std::string("2\n"));
    QVERIFY(!exists(w.folder + "/overlap"));
}

void TestConversionWindow::closingMidConversionEndsItsGroupAtOnce_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("shown");
    QTest::newRow("its own conversion") << QStringList{"one.vdx"} << "Processing: one.vdx";
    QTest::newRow("next file's") << QStringList{"good-1.vdx", "two.vdx"} << "Processing: good-1.vdx";
}

void TestConversionWindow::closingMidConversionEndsItsGroupAtOnce()
{
    QFETCH(QStringList, files);
    QFETCH(QString, shown);
    ConversionWindow w(files);
    const std::size_t boxesBefore = w.dialogs.messages.size();
    bool goneOnClose = false;
    QString shownOnClose;
    w.onceConverting([&] {
        shownOnClose = w.form->progressBar().text();
        const auto [leader, helper] = w.conversions().front();
        const bool converting = alive(leader) && alive(helper);
        w.form->close();
        goneOnClose = converting && goneWithin(leader, 2.0) && goneWithin(helper, 2.0);
    });
    w.form->button(MainWindow::Button::StartPrinting).click();

    QVERIFY(w.lifetime.ended());
    QCOMPARE(shownOnClose, shown);
    QVERIFY(goneOnClose);
    QVERIFY(processesMentioning(w.work).empty());
    QVERIFY(folderEntries(w.work).empty());
    QCOMPARE(w.dialogs.messages.size(), boxesBefore);
    QVERIFY(!exists(w.folder + "/overlap"));
}

QTEST_MAIN(TestConversionWindow)
#include "test_conversion_window.moc"
