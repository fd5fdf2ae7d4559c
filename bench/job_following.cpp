// What following print jobs to the printer costs the window: twenty jobs wait
// at a queue stopped for a paper jam, so that every one of them stays open and
// is asked after every few seconds, while the window waits out a 10-second
// pause as the print run does between files. Against a private CUPS
// scheduler; the system's queues are never touched.
//
//   job_following [JOBS]     (default 20 jobs)

#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>

#include "BenchClock.h"
#include "fakes/FakeLifetime.h"
#include "platform/SteadyClock.h"
#include "platform/posix/CupsJobs.h"
#include "platform/qt/QtEventPump.h"
#include "printing/JobStates.h"
#include "support/MadePdf.h"
#include "support/PrintingTestSupport.h"
#include "printing/Waiter.h"
#include "printing/qt/JobFollower.h"

using namespace printing_test;

namespace {

// The scheduler's own source, counting the requests made to it.
class CountedSource final : public JobStateSource {
public:
    std::vector<JobState> ask(const std::vector<int>& jobs, std::string& problem) override
    {
        ++requests;
        return m_source->ask(jobs, problem);
    }
    std::atomic<int> requests{0};

private:
    std::shared_ptr<JobStateSource> m_source = makeJobStateSource();
};

}  // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int jobs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    PrivateCups cups({"Jammed"});
    if (!cups.started() || std::system("cupsdisable -r 'Paper jam' Jammed") != 0) {
        std::fprintf(stderr, "the private CUPS scheduler did not start\n");
        return 1;
    }
    const TempTree folderTree{"plotvane-bench-follow-"};
    const std::string folder = folderTree.root();
    const std::string pdf = folder + "/page.pdf";
    writeFile(pdf, madePdf({{mediaBox(595, 842), "held"}}));

    SteadyClock clock;
    QtEventPump pump;
    FakeLifetime lifetime;
    Waiter waiter(clock, pump, lifetime);
    // The same pause with nothing followed, for comparison.
    double cpu = cpuSeconds();
    double start = now();
    waiter.waitSeconds(10);
    double wall = now() - start;
    cpu = cpuSeconds() - cpu;
    std::printf("10-second pause following nothing: %.2f s wall, %.4f s CPU = %.4f %% of one core\n", wall, cpu,
                100 * cpu / wall);

    auto source = std::make_shared<CountedSource>();
    int stopped = 0;
    JobFollower follower(
        source, [&](const JobState& state) { stopped += state.stage == JobState::Stage::Stopped; }, pump);
    const std::atomic<bool> waiting{false};
    for (int i = 0; i < jobs; ++i)
        follower.follow(CupsJobs::submitPdf("Jammed", pdf, "held " + std::to_string(i), {}, waiting));

    // The first answer: every job is held by the stopped queue.
    waiter.waitSeconds(JobFollower::IntervalMs / 1000.0 + 1);
    std::printf("jobs followed: %d, told stopped: %d, requests so far: %d\n", follower.openJobs(), stopped,
                source->requests.load());

    const int before = source->requests;
    cpu = cpuSeconds();
    start = now();
    waiter.waitSeconds(10);
    wall = now() - start;
    cpu = cpuSeconds() - cpu;
    std::printf("10-second pause while following %d jobs: %.2f s wall, %.4f s CPU = %.4f %% of one core, "
                "%d requests\n",
                follower.openJobs(), wall, cpu, 100 * cpu / wall, source->requests - before);

    std::system("cancel -a Jammed");
    return 0;
}
