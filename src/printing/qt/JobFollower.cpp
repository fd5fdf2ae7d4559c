#include "printing/qt/JobFollower.h"

#include <exception>

namespace {

// A job the service stops telling of (its history was purged) is given up
// after this many answers without it.
constexpr int GiveUpAfter = 3;

}  // namespace

JobFollower::JobFollower(std::shared_ptr<JobStateSource> source, std::function<void(const JobState&)> changed,
                         EventPump& events, QObject* parent, int intervalMs)
    : QObject(parent), m_source(std::move(source)), m_changed(std::move(changed)), m_offThread(events)
{
    m_timer.setInterval(intervalMs);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &JobFollower::askNow);
}

JobFollower::~JobFollower() = default;

void JobFollower::follow(int job)
{
    if (!m_source || job <= 0)
        return;
    m_open[job].last.id = job;
    if (!m_timer.isActive())
        m_timer.start();
}

void JobFollower::askNow()
{
    if (m_asking)
        return;
    if (m_open.empty()) {
        m_timer.stop();
        return;
    }
    std::vector<int> jobs;
    for (const auto& [job, followed] : m_open)
        jobs.push_back(job);
    struct Answer {
        std::vector<JobState> states;
        std::string problem;
    };
    auto answer = std::make_shared<Answer>();
    std::weak_ptr<int> alive = m_alive;
    try {
        m_offThread.start([source = m_source, jobs, answer] { answer->states = source->ask(jobs, answer->problem); },
                          [alive, this, answer] {
                              if (alive.lock())
                                  answered(answer->states, answer->problem.empty());
                          });
        m_asking = true;
    } catch (const std::exception&) {
        // No thread now; the next interval asks again.
    }
}

void JobFollower::answered(const std::vector<JobState>& states, bool asked)
{
    m_asking = false;
    if (!asked)
        return;  // the service did not answer; the next request asks again
    for (auto& [job, followed] : m_open)
        ++followed.unanswered;
    for (const JobState& state : states) {
        const auto found = m_open.find(state.id);
        if (found == m_open.end())
            continue;
        Followed& followed = found->second;
        followed.unanswered = 0;
        const bool changed = state.stage != followed.last.stage || state.reason != followed.last.reason
                             || state.final != followed.last.final;
        followed.last = state;
        if (state.final)
            m_open.erase(found);
        if (changed)
            m_changed(state);
    }
    for (auto it = m_open.begin(); it != m_open.end();)
        it = it->second.unanswered >= GiveUpAfter ? m_open.erase(it) : std::next(it);
    if (m_open.empty())
        m_timer.stop();
}
