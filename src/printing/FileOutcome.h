#pragma once

#include <string>
#include <vector>

// One print job that the print service accepted for a drawing: its number
// (0 where the service gives none), its pages and the paper it asks for
// (empty: the printer's default paper).
struct SentJob {
    int id = 0;
    int pages = 0;
    std::string paper;
};

// What printing one drawing handed to the print service: the printer, and the
// drawing's jobs in page order (none where the service gives no numbers).
struct PrintHandOff {
    std::string printer;
    std::vector<SentJob> jobs;
};

// What became of one listed file in a run, from the moment the run reaches it.
enum class Outcome {
    InWork,      // the run is on this file
    Sent,        // handed to the print service, not yet printed
    Printed,     // every job of the file completed
    Failed,      // a step of the file failed before its print was made
    Stopped,     // the printer aborted or cancelled a job, or holds it stopped
    NotReached,  // the run ended (the window closed) before the file printed
};

struct FileOutcome {
    Outcome outcome = Outcome::InWork;
    std::string started;  // local time the run reached the file
    std::string file;     // the full path as listed
    PrintHandOff sent;
    std::string reason;  // why a file failed or was stopped
    int failedLine = 0;  // the first failing step of a failed file
};

// The word the run record uses: printed, sent, failed, stopped, not reached
// ("in work" for a file the run is still on).
std::string outcomeWord(Outcome outcome);
// The sentence the list shows for the file, such as
// "Sent to Plotter_B as job 42: 3 pages on A3".
std::string describeOutcome(const FileOutcome& outcome);
// The drawing's pages, summed over its jobs; 0 when the service did not say.
int pagesOf(const PrintHandOff& sent);
// The papers of the drawing's jobs, each once, separated by a space.
std::string papersOf(const PrintHandOff& sent);
// The job numbers, separated by a space; empty where the service gives none.
std::string jobNumbersOf(const PrintHandOff& sent);
// What a finished run did, told when it ends: "Printed 298 of 300 drawings;
// 2 failed".
std::string runSummary(int printed, int files, int failed);
