#include "printing/qt/RunOutcomes.h"

#include "base/Lifetime.h"
#include "filelist/qt/FileListModel.h"
#include "printing/RunRecord.h"
#include "printing/qt/JobFollower.h"
#include "printing/qt/OutcomeIcons.h"

RunOutcomes::RunOutcomes(FileListModel& list, std::function<void(const std::string&)> recordProblem, Lifetime& lifetime,
                         std::string recordFolder, std::shared_ptr<JobStateSource> jobStates, EventPump& events,
                         std::function<std::time_t()> now, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_recordProblem(std::move(recordProblem))
    , m_lifetime(lifetime)
    , m_recordFolder(std::move(recordFolder))
    , m_now(std::move(now))
{
    if (jobStates)
        m_follower = new JobFollower(
            std::move(jobStates), [this](const JobState& state) { jobChanged(state); }, events, this);
    // Registered before the print run's own clean-ups, which end the outside
    // application and remove its folders and can take all the time the
    // clean-ups are given: the record is written first.
    m_closingCleanup = m_lifetime.addCleanup([this] { endedByClosing(); });
}

RunOutcomes::~RunOutcomes()
{
    m_lifetime.removeCleanup(m_closingCleanup);
}

void RunOutcomes::runStarted(int fileCount)
{
    // A new run starts its entries afresh; the files of earlier runs whose
    // jobs are still followed keep changing in their own records only.
    ++m_run;
    m_fileCount = fileCount;
    m_position = 0;
    m_list.clearOutcomes();
    m_files.clear();
    m_record = m_recordFolder.empty() ? nullptr : std::make_shared<RunRecord>(m_recordFolder, m_now());
    m_toldRecordProblem = false;
    m_inRun = true;
}

RunOutcomes::Tracked& RunOutcomes::track(int position)
{
    auto& file = m_files[position] = std::make_shared<Tracked>();
    file->record = m_record;
    file->run = m_run;
    file->position = position;
    return *file;
}

std::shared_ptr<RunOutcomes::Tracked> RunOutcomes::tracked(int position) const
{
    const auto found = m_files.find(position);
    return found == m_files.end() ? nullptr : found->second;
}

void RunOutcomes::fileStarted(int position, const std::string& path)
{
    m_position = position;
    Tracked& file = track(position);
    file.entry = m_list.idOf(position - 1);
    file.outcome.started = RunRecord::timestamp(m_now());
    file.outcome.file = path;
    show(file);
}

void RunOutcomes::fileSent(int position, const PrintHandOff& sent)
{
    const std::shared_ptr<Tracked> file = tracked(position);
    if (!file)
        return;
    file->outcome.sent = sent;
    for (const SentJob& job : sent.jobs) {
        if (job.id > 0 && m_follower) {
            file->jobs[job.id].id = job.id;
            m_fileOfJob[job.id] = file;
            m_follower->follow(job.id);
        }
    }
    change(*file, Outcome::Sent);
}

void RunOutcomes::fileFailed(int position, int line, const std::string& reason)
{
    const std::shared_ptr<Tracked> file = tracked(position);
    if (!file)
        return;
    file->outcome.failedLine = line;
    file->outcome.reason = reason;
    change(*file, Outcome::Failed);
}

void RunOutcomes::runEnded()
{
    m_inRun = false;
    int printed = 0;
    int failed = 0;
    for (const auto& [position, file] : m_files) {
        const Outcome outcome = file->outcome.outcome;
        printed += outcome == Outcome::Sent || outcome == Outcome::Printed;
        failed += outcome == Outcome::Failed || outcome == Outcome::Stopped;
    }
    m_position = 0;
    emit runFinished(printed, m_fileCount, failed);
}

int RunOutcomes::followedJobs() const
{
    return m_follower ? m_follower->openJobs() : 0;
}

void RunOutcomes::change(Tracked& file, Outcome outcome)
{
    file.outcome.outcome = outcome;
    show(file);
    write(file);
    if (file.run == m_run)
        emit outcomeChanged(file.position, file.outcome);
}

void RunOutcomes::jobChanged(const JobState& state)
{
    const auto owner = m_fileOfJob.find(state.id);
    if (owner == m_fileOfJob.end())
        return;
    // The file's last reference may go with its jobs below.
    const std::shared_ptr<Tracked> kept = owner->second;
    Tracked& file = *kept;
    file.jobs[state.id] = state;
    // A drawing printed when all its jobs did; a stop of any of them stops it.
    Outcome outcome = Outcome::Printed;
    std::string reason;
    bool open = false;
    for (const auto& [job, jobState] : file.jobs) {
        open = open || !jobState.final;
        if (jobState.stage == JobState::Stage::Stopped && outcome != Outcome::Stopped) {
            outcome = Outcome::Stopped;
            reason = jobState.reason;
        } else if (jobState.stage == JobState::Stage::Open && outcome == Outcome::Printed) {
            outcome = Outcome::Sent;
        }
    }
    if (outcome != file.outcome.outcome || reason != file.outcome.reason) {
        file.outcome.reason = reason;
        change(file, outcome);
    }
    if (!open) {
        for (const auto& [job, jobState] : file.jobs)
            m_fileOfJob.erase(job);
    }
}

void RunOutcomes::endedByClosing()
{
    // The window closed in the middle of a run: the file in work and the
    // files the run did not reach are recorded as not reached.
    if (!m_inRun)
        return;
    for (int position = std::max(m_position, 1); position <= m_fileCount; ++position) {
        Tracked* file = tracked(position).get();
        if (!file) {
            if (position > m_list.count())
                continue;
            file = &track(position);
            file->outcome.file = m_list.entry(position - 1);
        } else if (file->outcome.outcome != Outcome::InWork) {
            continue;
        }
        file->outcome.outcome = Outcome::NotReached;
        if (m_record)
            m_record->put(position, file->outcome);
    }
}

void RunOutcomes::show(const Tracked& file)
{
    if (file.run != m_run)
        return;  // an earlier run's entries start afresh
    const int row = m_list.rowOf(file.entry);
    if (row >= 0)
        m_list.setOutcome(row,
                          {outcomeIcon(file.outcome.outcome), QString::fromStdString(describeOutcome(file.outcome))});
}

void RunOutcomes::write(const Tracked& file)
{
    if (!file.record)
        return;
    const std::string problem = file.record->put(file.position, file.outcome);
    if (problem.empty()) {
        if (file.record == m_record)
            m_lastRecord = file.record->path();
        return;
    }
    if (m_toldRecordProblem || file.record != m_record)
        return;
    m_toldRecordProblem = true;
    if (m_recordProblem)
        m_recordProblem(recordProblemText(problem));
}
