#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "printing/FileOutcome.h"

// The record of one print run that the user keeps: a CSV file, UTF-8 with a
// byte-order mark and a header line, one row per file whose outcome is known,
// in the order the run reached them. Its cells stay text in a spreadsheet.
// The file is rewritten whole on every change, through a temporary file and a
// rename, so that a reader (or a program killed in the middle) only ever
// finds a whole, valid record.
class RunRecord final {
public:
    static constexpr const char* ByteOrderMark = "\xEF\xBB\xBF";
    static constexpr const char* Header = "started,file,printer,pages,paper,job,outcome,reason";
    static constexpr int RecordsKept = 200;

    // A record in `folder`, named for the time the run started.
    RunRecord(std::string folder, std::time_t runStarted);

    // The record's file; empty until it was first written.
    const std::string& path() const { return m_path; }
    // Adds the file's row, or replaces it when the record has one for the
    // same key, and writes the record. Returns the problem, empty when the
    // record was written.
    std::string put(int key, const FileOutcome& outcome);
    const std::vector<FileOutcome>& rows() const { return m_rows; }

    // The whole CSV text of rows.
    static std::string csv(const std::vector<FileOutcome>& rows);
    // "2026-12-08_103512.csv"
    static std::string fileName(std::time_t time);
    // "2026-12-08 10:35:12", local time.
    static std::string timestamp(std::time_t time);
    // Removes all but the newest `kept` records from the folder. Other files
    // are left alone.
    static void prune(const std::string& folder, int kept = RecordsKept);
    // The newest record in the folder; empty when it holds none.
    static std::string newest(const std::string& folder);
    // The files of a record that did not print (failed, stopped or not
    // reached), in the record's order. Throws Failure, naming the file, when
    // it cannot be read or is no run record.
    static std::vector<std::string> unprintedFiles(const std::string& recordPath);
    // The same from the record's text.
    static std::vector<std::string> unprintedFilesOf(const std::string& csvText);

private:
    std::string write();

    std::string m_folder;
    std::time_t m_runStarted;
    std::string m_path;
    std::vector<int> m_keys;
    std::vector<FileOutcome> m_rows;
};

// What the user is told when a run's record cannot be written: the problem
// put() returned, and that the run goes on.
std::string recordProblemText(const std::string& problem);

// The folder that keeps the run records: $XDG_STATE_HOME/plotvane/runs
// (~/.local/state/plotvane/runs) on Linux, %LOCALAPPDATA%\Plotvane\runs on
// Windows. Empty when the system names no such place.
std::string runRecordFolder();
