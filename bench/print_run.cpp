// What the print run costs per file beyond its fixed waits, beside a bare
// "soffice --headless --convert-to pdf" plus "lp" of the same file, and how
// much processor time a pause uses. Everything runs against a private CUPS
// scheduler; the system's queues are never touched.
//
//   print_run [FILES]     (default 6 files)

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/FakePrintView.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtEventPump.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/FileNameOf.h"
#include "printing/PrintRun.h"
#include "support/PrintingTestSupport.h"
#include "printing/Waiter.h"
#include "printing/posix/OfficeAppFactory.h"

using namespace printing_test;

namespace {

// The window's event pump, timing how long the run spends in its waits.
class TimedPump final : public EventPump {
public:
    void processPending() override
    {
        const double start = now();
        m_pump.processPending();
        waited += now() - start;
    }
    void waitForEvents(double maxSeconds) override
    {
        const double start = now();
        m_pump.waitForEvents(maxSeconds);
        waited += now() - start;
    }
    // LibreOffice at work is part of a file's cost, not a wait.
    void waitForReadable(int descriptor, double maxSeconds) override { m_pump.waitForReadable(descriptor, maxSeconds); }
    void post(std::function<void()> task) override { m_pump.post(std::move(task)); }
    double waited = 0;

private:
    QtEventPump m_pump;
};

double bare(const std::string& file, const std::string& out)
{
    const double start = now();
    std::system(("soffice --headless --convert-to pdf --outdir " + shellQuoted(out) + " " + shellQuoted(file)
                 + " >/dev/null 2>&1 && lp -d Bench_Q -t bare " + shellQuoted(out) + "/*.pdf >/dev/null 2>&1")
                    .c_str());
    const double spent = now() - start;
    std::system(("rm -f " + shellQuoted(out) + "/*.pdf").c_str());
    return spent;
}

double mean(const std::vector<double>& values, std::size_t from = 0)
{
    double sum = 0;
    for (std::size_t i = from; i < values.size(); ++i)
        sum += values[i];
    return values.size() > from ? sum / static_cast<double>(values.size() - from) : 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int files = argc > 1 ? std::max(2, std::atoi(argv[1])) : 6;

    PrivateCups cups({"Bench_Q"});
    if (!cups.started()) {
        std::fprintf(stderr, "the private CUPS scheduler did not start\n");
        return 1;
    }
    const TempTree folderTree{"plotvane-bench-print-"};
    const std::string folder = folderTree.root();
    const std::string out = folder + "/out";
    std::system(("mkdir -p " + shellQuoted(out)).c_str());
    const std::vector<std::string> paths = writeDrawings(folder, files);

    FakeDialogs dialogs;
    FakePointer pointer;
    FakeLifetime lifetime;
    FakeListItems list;
    FakePrintView view("Bench_Q", "0 seconds");
    SteadyClock clock;
    TimedPump pump;
    OfficeOptions options;
    options.workRoot = folder;
    OfficeAppFactory office(pump, lifetime, options);
    DiagramAppAdapter adapter(office, dialogs, pointer, lifetime);
    PrintRun run(list, view, adapter, pointer, dialogs, clock, pump, lifetime);

    // Start-up work, not part of any file's cost: the installed check, and
    // LibreOffice's own profile for the bare runs.
    adapter.checkInstalled();
    bare(paths[0], out);

    std::vector<double> bareCosts;
    std::vector<double> runCosts;
    std::printf("%-18s %10s %14s %8s\n", "file", "bare (s)", "run-waits (s)", "ratio");
    for (int i = 0; i < files; ++i) {
        const auto printRun = [&] {
            list.entries = {paths[i]};
            pump.waited = 0;
            const double start = now();
            run.startPrinting();
            return now() - start - pump.waited;
        };
        double runCost;
        double bareCost;
        if (i % 2) {
            runCost = printRun();
            bareCost = bare(paths[i], out);
        } else {
            bareCost = bare(paths[i], out);
            runCost = printRun();
        }
        bareCosts.push_back(bareCost);
        runCosts.push_back(runCost);
        std::printf("%-18s %10.3f %14.3f %8.3f\n", fileNameOf(paths[i]).c_str(), bareCost, runCost, runCost / bareCost);
    }
    const std::size_t jobs = cups.jobs().size();
    std::printf("\njobs received: %zu (expected %d); error reports: %zu\n", jobs, 2 * files + 1,
                dialogs.reportedLines().size());
    std::printf("mean per file, all files:          bare %.3f s, run %.3f s, ratio %.3f\n", mean(bareCosts),
                mean(runCosts), mean(runCosts) / mean(bareCosts));
    std::printf("mean per file, after the first:    bare %.3f s, run %.3f s, ratio %.3f\n", mean(bareCosts, 1),
                mean(runCosts, 1), mean(runCosts, 1) / mean(bareCosts, 1));

    // Processor time of one 10-second pause, as the run waits between files.
    Waiter waiter(clock, pump, lifetime);
    double cpu = cpuSeconds();
    double start = now();
    waiter.waitSeconds(10);
    double wall = now() - start;
    cpu = cpuSeconds() - cpu;
    std::printf("10-second pause: %.2f s wall, %.4f s CPU = %.3f %% of one core\n", wall, cpu, 100 * cpu / wall);

    // For comparison: the same pause as a polling loop, for 2 seconds.
    cpu = cpuSeconds();
    start = now();
    while (now() - start < 2)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    wall = now() - start;
    cpu = cpuSeconds() - cpu;
    std::printf("polling for comparison: %.2f s wall, %.3f s CPU = %.1f %% of one core\n", wall, cpu, 100 * cpu / wall);

    return 0;
}
