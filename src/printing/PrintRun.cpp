#include "printing/PrintRun.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <memory>

#include "base/ErrorTrap.h"
#include "base/Failure.h"
#include "base/Lifetime.h"
#include "base/MessageBoxes.h"
#include "base/WindowPointer.h"
#include "filelist/ListItems.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/FileNameOf.h"
#include "printing/PrintView.h"

namespace {

DiagramApp& instance(const std::unique_ptr<DiagramApp>& app)
{
    if (!app)
        throw Failure("Object variable not set");
    return *app;
}

}  // namespace

PrintRun::PrintRun(ListItems& list, PrintView& view, DiagramAppAdapter& adapter, WindowPointer& pointer,
                   MessageBoxes& boxes, Clock& clock, EventPump& pump, Lifetime& lifetime)
    : PrintRun(list, view, adapter, pointer, boxes, clock, pump, lifetime, m_noObserver)
{
}

PrintRun::PrintRun(ListItems& list, PrintView& view, DiagramAppAdapter& adapter, WindowPointer& pointer,
                   MessageBoxes& boxes, Clock& clock, EventPump& pump, Lifetime& lifetime, PrintRunObserver& observer)
    : m_list(list)
    , m_view(view)
    , m_adapter(adapter)
    , m_pointer(pointer)
    , m_boxes(boxes)
    , m_pump(pump)
    , m_lifetime(lifetime)
    , m_observer(observer)
    , m_waiter(clock, pump, lifetime)
    , m_endInstancesOnExit(lifetime.addCleanup([&adapter] { adapter.endAll(); }))
{
}

PrintRun::~PrintRun()
{
    m_lifetime.removeCleanup(m_endInstancesOnExit);
}

int PrintRun::pauseSeconds(const std::string& pauseText)
{
    if (pauseText.empty() || pauseText[0] < '0' || pauseText[0] > '9')
        throw Failure("Type mismatch");
    return pauseText[0] - '0' + 1;
}

std::string PrintRun::notPrintedText(const std::string& printer)
{
    return "Not printed: the printer \"" + printer + "\" could not be set (line 122)";
}

void PrintRun::startPrinting()
{
    if (m_isPrinting)  // 100
        return;
    ErrorTrap trap(m_boxes, m_lifetime, Location);
    trap.step(102, [&] { m_isPrinting = true; });
    if (trap.test(104, [&] { return m_list.count() > 0; })) {
        if (!trap.test(106, [&] { return m_adapter.promptIfRunning(); })) {
            printFiles(trap);
            trap.step(140, [&] { m_pointer.setMousePointer(MousePointer::Default); });
            trap.step(142, [&] { m_view.setProgressValue(0); });
            trap.step(144, [&] { m_view.setProgressText(IdleText); });
            trap.step(146, [&] { tell(m_boxes, DoneText); });
        }
    } else {
        trap.step(148, [&] { tell(m_boxes, NoFilesText); });
    }
    m_isPrinting = false;  // 150
}

std::string PrintRun::pathAfter(int i, int n) const
{
    // Only the n entries the run took are printed. Their texts cannot change
    // during the run: the editing commands do nothing under the hourglass.
    if (i >= n)
        return {};
    try {
        return m_list.text(i + 1);
    } catch (const std::exception&) {
        return {};  // the run reports it at that position's turn
    }
}

void PrintRun::printFiles(ErrorTrap& trap)
{
    std::int16_t n = 0;
    trap.step(108, [&] {
        const int count = m_list.count();
        if (count > std::numeric_limits<std::int16_t>::max())
            throw Failure("Overflow");
        n = static_cast<std::int16_t>(count);
    });
    if (n > 0)
        m_observer.runStarted(n);
    std::string preparing;  // the file the application was last asked to make ready
    for (int i = 1; i <= n && !trap.stopped(); ++i) {
        std::string path;
        // A position that vanished from the list (an entry removed during the
        // run) is reported and passed over: nothing is opened, printed or
        // waited for it.
        bool found = false;
        trap.step(110, [&] {
            path = m_list.text(i);
            found = true;
        });
        if (!found)
            continue;
        m_observer.fileStarted(i, path);
        trap.step(112, [&] {
            const int count = m_list.count();
            if (count == 0)
                throw Failure("Division by zero");
            m_view.setProgressValue(static_cast<double>(i) / static_cast<double>(count) * 100.0);
        });
        trap.step(114, [&] { m_view.setProgressText(ProcessingPrefix + fileNameOf(path)); });
        trap.step(116, [&] { m_pump.processPending(); });
        trap.step(118, [&] { m_pointer.setMousePointer(MousePointer::Hourglass); });
        std::unique_ptr<DiagramApp> app;
        // The first failure among the steps that bring the file to the
        // printer says why it was not printed.
        int failedLine = 0;
        std::string reason;
        trap.onFailure([&](int line, const std::string& description) {
            if (failedLine == 0) {
                failedLine = line;
                reason = description;
            }
        });
        trap.step(120, [&] { app = m_adapter.openInNewInstance(path); });
        // The file prints on the chosen printer or not at all: an instance
        // whose printer could not be set would print on whatever printer it
        // had, so the print step then refuses.
        std::string printer;
        bool printerSet = false;
        trap.step(122, [&] {
            printer = m_view.printerText();
            instance(app).setActivePrinter(printer);
            printerSet = true;
        });
        trap.step(124, [&] { m_pointer.setMousePointer(MousePointer::Hourglass); });
        bool sent = false;
        trap.step(126, [&] {
            DiagramApp& opened = instance(app);
            if (!printerSet)
                throw Failure(notPrintedText(printer));
            tellSent(i, opened.printAllPages(), printer);
            sent = true;
        });
        trap.onFailure({});
        if (!sent && failedLine != 0)
            m_observer.fileFailed(i, failedLine, reason);
        trap.step(128, [&] { m_pointer.setMousePointer(MousePointer::Hourglass); });
        // This file's instance is done with the drawing; while the run waits,
        // the application may make the next one ready.
        if (!trap.stopped()) {
            preparing = pathAfter(i, n);
            m_adapter.prepareNext(preparing);
        }
        trap.step(130, [&] { m_waiter.waitSeconds(1); });
        trap.step(132, [&] { instance(app).quit(); });
        app.reset();
        trap.step(134, [&] { m_pointer.setMousePointer(MousePointer::Hourglass); });
        trap.step(136, [&] { m_waiter.waitSeconds(pauseSeconds(m_view.pauseText())); });
    }
    // A file made ready that the run then did not open (its entry vanished)
    // must not go on rendering after the run.
    if (!preparing.empty())
        m_adapter.prepareNext({});
    if (n > 0 && !trap.stopped())
        m_observer.runEnded();
}

void PrintRun::tellSent(int position, PrintHandOff sent, const std::string& printer)
{
    // Where the application names no printer, the print went to the one it
    // was set to.
    if (sent.printer.empty())
        sent.printer = printer;
    m_observer.fileSent(position, sent);
}
