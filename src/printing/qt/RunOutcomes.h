#pragma once

#include <QObject>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "printing/FileOutcome.h"
#include "printing/JobStates.h"
#include "printing/PrintRunObserver.h"

class FileListModel;
class EventPump;
class JobFollower;
class Lifetime;
class RunRecord;

// Keeps what became of each file of the print runs: shows it on the file's
// list entry (an icon and a tooltip), writes it to the run's record, and
// follows the file's jobs to the printer, changing both as the jobs end.
class RunOutcomes final : public QObject, public PrintRunObserver {
    Q_OBJECT
public:
    // A record that cannot be written is told once per run through
    // recordProblem, with the cause in its text; it must not wait for anyone,
    // for the run goes on meanwhile (the window shows a note, a run from the
    // command line prints it on standard error). recordFolder: where run
    // records are kept, none when empty. jobStates: where jobs are followed,
    // none when null; their answers come back through events. now: the wall
    // clock.
    RunOutcomes(FileListModel& list, std::function<void(const std::string&)> recordProblem, Lifetime& lifetime,
                std::string recordFolder, std::shared_ptr<JobStateSource> jobStates, EventPump& events,
                std::function<std::time_t()> now, QObject* parent = nullptr);
    ~RunOutcomes() override;

    void runStarted(int fileCount) override;
    void fileStarted(int position, const std::string& path) override;
    void fileSent(int position, const PrintHandOff& sent) override;
    void fileFailed(int position, int line, const std::string& reason) override;
    void runEnded() override;

    // The record of the last run that wrote one; empty when none did.
    std::string lastRecord() const { return m_lastRecord; }
    // The jobs still followed.
    int followedJobs() const;

signals:
    // A run passed its last file: of its files, how many went to the printer
    // and how many did not print.
    void runFinished(int printed, int files, int failed);
    // What became of the current run's file at `position` changed.
    void outcomeChanged(int position, const FileOutcome& outcome);

private:
    // A file of a run: what became of it, its entry in the list, its record
    // and its jobs.
    struct Tracked {
        std::shared_ptr<RunRecord> record;
        quint64 run = 0;
        int position = 0;   // in the list when the run reached it
        quint64 entry = 0;  // the id of its list entry; 0: none
        FileOutcome outcome;
        std::map<int, JobState> jobs;  // by job number
    };

    // A new file of the current run at the position.
    Tracked& track(int position);
    // The current run's file at the position; null when the run has not reached it.
    std::shared_ptr<Tracked> tracked(int position) const;
    void change(Tracked& file, Outcome outcome);
    void jobChanged(const JobState& state);
    void endedByClosing();
    void show(const Tracked& file);
    void write(const Tracked& file);

    FileListModel& m_list;
    std::function<void(const std::string&)> m_recordProblem;
    Lifetime& m_lifetime;
    std::string m_recordFolder;
    std::function<std::time_t()> m_now;
    JobFollower* m_follower = nullptr;

    quint64 m_run = 0;
    int m_fileCount = 0;
    int m_position = 0;  // the file in work
    std::shared_ptr<RunRecord> m_record;
    std::string m_lastRecord;
    bool m_toldRecordProblem = false;
    int m_closingCleanup = -1;
    bool m_inRun = false;
    std::map<int, std::shared_ptr<Tracked>> m_files;  // the current run's files by position
    // The files with open jobs, of this run or earlier ones, by job number.
    std::map<int, std::shared_ptr<Tracked>> m_fileOfJob;
};
