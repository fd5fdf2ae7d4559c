#include <QtTest>
#include <mutex>

#include "platform/qt/QtEventPump.h"
#include "printing/qt/JobFollower.h"

// The follower against a scripted print service: what it asks, what it hands
// on, and when it lets a job go.
class TestJobFollower final : public QObject {
    Q_OBJECT
private slots:
    void jobsAreFollowedUntilTheyEnd();
};

namespace {

using Stage = JobState::Stage;

class ScriptedSource final : public JobStateSource {
public:
    struct Answer {
        std::vector<JobState> states;
        std::string problem;
    };
    explicit ScriptedSource(std::vector<Answer> script) : m_script(std::move(script)) {}

    std::vector<JobState> ask(const std::vector<int>& jobs, std::string& problem) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        asked.push_back(jobs);
        if (asked.size() > m_script.size())
            return {};
        problem = m_script[asked.size() - 1].problem;
        return m_script[asked.size() - 1].states;
    }
    std::vector<std::vector<int>> asked;  // read once the follower let go of every job

private:
    std::mutex m_mutex;
    std::vector<Answer> m_script;
};

}  // namespace

void TestJobFollower::jobsAreFollowedUntilTheyEnd()
{
    const auto source = std::make_shared<ScriptedSource>(std::vector<ScriptedSource::Answer>{
        {{{1, Stage::Open, false, ""}, {2, Stage::Stopped, false, "Paper jam"}}, ""},
        {{}, "The print service did not tell where the jobs stand: it did not answer in time"},
        {{{1, Stage::Completed, true, ""}, {2, Stage::Stopped, false, "Paper jam"}}, ""},
        // Job 2 is no longer told of: let go after three answers without it.
    });
    std::vector<std::string> told;
    QtEventPump events;
    JobFollower follower(
        source, [&](const JobState& state) { told.push_back(std::to_string(state.id) + " " + state.reason); }, events,
        nullptr, 10);
    follower.follow(1);
    follower.follow(2);
    QTRY_COMPARE(follower.openJobs(), 0);
    QTest::qWait(100);  // nothing is asked once no job is open
    QCOMPARE(source->asked.size(), std::size_t(6));
    QCOMPARE(source->asked[0], (std::vector<int>{1, 2}));
    QCOMPARE(source->asked[2], (std::vector<int>{1, 2}));  // a failed request lets no job go
    QCOMPARE(source->asked[3], std::vector<int>{2});
    QCOMPARE(told, (std::vector<std::string>{"2 Paper jam", "1 "}));  // only changes are told
}

QTEST_MAIN(TestJobFollower)
#include "test_job_follower.moc"
