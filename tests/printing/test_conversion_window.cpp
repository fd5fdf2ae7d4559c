#include <QComboBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/qt/MainWindow.h"
#include "filelist/qt/FileListView.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtEventPump.h"
#include "printing/PrintRun.h"
#include "printing/PrintingTestSupport.h"
#include "printing/posix/OfficeAppFactory.h"
#include "support/WindowRig.h"

using namespace printing_test;

namespace {

// The main window with the real LibreOffice backend and the real event pump.
// LibreOffice is a stand-in that answers --version; asked to convert, it
// starts a helper of its own, notes both process ids and waits until the
// test lets it go on, producing nothing.
struct ConversionWindow : WindowRig {
    ConversionWindow()
    {
        writeFile(folder + "/soffice",
                  "#!/bin/sh\nfor a in \"$@\"; do [ \"$a\" = --version ] && exit 0; done\n"
                  "sleep 600 & echo $$ $! > " + shellQuoted(folder) + "/ids.$$\n"
                  // renamed once written, so that the test never reads it half-written
                  "mv " + shellQuoted(folder) + "/ids.$$ " + shellQuoted(folder) + "/converting.$$\n"
                  "while [ ! -e " + shellQuoted(folder) + "/go ]; do sleep 0.05; done\n");
        ::chmod((folder + "/soffice").c_str(), 0700);
        writeVdx(folder + "/one.vdx", {"One"});
        printers.printers = {"Plotter_A"};
        OfficeOptions options;
        options.program = folder + "/soffice";
        options.workRoot = work;
        options.timeLimitSeconds = 60;  // a window that is dead for a conversion waits this long
        office = std::make_unique<OfficeAppFactory>(events, lifetime, options);
        real = {nullptr, nullptr, nullptr, office.get(), &steadyClock, &events};
        form = open();
        form->show();
        form->pauseChoice().setCurrentIndex(0);
        form->fileList().items().add(folder + "/one.vdx");
    }
    ~ConversionWindow()
    {
        form.reset();
        office.reset();
        removeFolder(work);
        removeFolder(folder);
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

    std::string folder = makeTempFolder("plotvane-conversion-");
    std::string work = makeTempFolder("plotvane-conversion-work-");
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

void TestConversionWindow::closingMidConversionEndsItsGroupAtOnce()
{
    ConversionWindow w;
    const std::size_t boxesBefore = w.dialogs.messages.size();
    bool goneOnClose = false;
    w.onceConverting([&] {
        const auto [leader, helper] = w.conversions().front();
        const bool converting = alive(leader) && alive(helper);
        w.form->close();
        goneOnClose = converting && goneWithin(leader, 2.0) && goneWithin(helper, 2.0);
    });
    w.form->button(MainWindow::Button::StartPrinting).click();

    QVERIFY(w.lifetime.ended());
    QVERIFY(goneOnClose);
    QVERIFY(processesMentioning(w.work).empty());
    QVERIFY(folderEntries(w.work).empty());
    QCOMPARE(w.dialogs.messages.size(), boxesBefore);
}

QTEST_MAIN(TestConversionWindow)
#include "test_conversion_window.moc"
