#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "platform/OffThread.h"
#include "printing/JobStates.h"

// Follows print jobs to the printer. Every few seconds, while any job is still
// open, it asks the print service once for all open jobs; the request runs off
// the window's thread and its answer comes back through the event pump, so the
// window never waits for the service, and a service that does not answer holds
// up nothing but the next request. A job is followed until it reaches a final
// state, also after its run has ended. Each change of a job's state is handed
// to `changed` on the window's thread.
class JobFollower final : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 5000;

    JobFollower(std::shared_ptr<JobStateSource> source, std::function<void(const JobState&)> changed, EventPump& events,
                QObject* parent = nullptr, int intervalMs = IntervalMs);
    ~JobFollower() override;

    void follow(int job);
    // The jobs still followed.
    int openJobs() const { return static_cast<int>(m_open.size()); }

private:
    struct Followed {
        JobState last;
        int unanswered = 0;  // requests in a row that left the job out
    };
    void askNow();
    void answered(const std::vector<JobState>& states, bool asked);

    std::shared_ptr<JobStateSource> m_source;
    std::function<void(const JobState&)> m_changed;
    OffThread m_offThread;
    std::map<int, Followed> m_open;
    QTimer m_timer;
    bool m_asking = false;
    // Expires with the follower, so that an answer arriving after it is gone
    // is dropped.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};
