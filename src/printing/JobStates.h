#pragma once

#include <memory>
#include <string>
#include <vector>

// Where a print job stands, as the print service tells it.
struct JobState {
    enum class Stage {
        Open,       // waiting or printing
        Completed,  // printed
        Stopped,    // aborted or cancelled, or waiting at a stopped printer
    };
    int id = 0;
    Stage stage = Stage::Open;
    bool final = false;  // the job will not change any more
    std::string reason;  // the printer's or the service's words for a stop
};

// Asks the print service where jobs stand. ask() blocks, so it is called off
// the window's thread; every call is bounded in time. Jobs the service does
// not answer for are left out.
class JobStateSource {
public:
    virtual ~JobStateSource() = default;
    // Empty answer and a problem when the service cannot be asked.
    virtual std::vector<JobState> ask(const std::vector<int>& jobs, std::string& problem) = 0;
};

// The print service's own source; none where jobs carry no numbers.
std::shared_ptr<JobStateSource> makeJobStateSource();
