#pragma once

#include <atomic>
#include <string>
#include <vector>

// Print jobs on the CUPS scheduler that libcups reaches.
namespace CupsJobs {

// One job option as CUPS takes it, such as media=iso_a3_297x420mm.
struct JobOption {
    std::string name;
    std::string value;
};

// True when the scheduler has a queue of that name. Throws Failure when the
// scheduler cannot be reached.
bool queueExists(const std::string& queue);
// The default destination's queue name, empty when none is set. Throws
// Failure when the scheduler cannot be reached.
std::string defaultQueue();
// Submits a PDF to the queue as one job with the given title and options, all
// pages, and returns the job's id once the scheduler has accepted the whole
// document. The whole file is read before the job is made, so a document that
// cannot be read whole never reaches the queue. Throws Failure with the reason
// otherwise. The requests stop waiting for the scheduler once givenUp is true.
int submitPdf(const std::string& queue, const std::string& pdfPath, const std::string& title,
              const std::vector<JobOption>& options, const std::atomic<bool>& givenUp);
// Releases a job submitted held (job-hold-until=indefinite) for printing.
// Throws Failure when the scheduler refuses.
void releaseJob(const std::string& queue, int job, const std::atomic<bool>& givenUp);
// Cancels a job the scheduler has accepted; a job that has already ended is
// left as it is.
void cancelJob(const std::string& queue, int job, const std::atomic<bool>& givenUp);

}  // namespace CupsJobs
