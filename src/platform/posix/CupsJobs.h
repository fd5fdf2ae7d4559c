#pragma once

#include <string>

// Print jobs on the CUPS scheduler that libcups reaches.
namespace CupsJobs {

// True when the scheduler has a queue of that name. Throws Failure when the
// scheduler cannot be reached.
bool queueExists(const std::string& queue);
// The default destination's queue name, empty when none is set. Throws
// Failure when the scheduler cannot be reached.
std::string defaultQueue();
// Submits a PDF to the queue as one job with the given title, all pages, and
// returns the job's id once the scheduler has accepted the whole document.
// Throws Failure with the scheduler's reason otherwise.
int submitPdf(const std::string& queue, const std::string& pdfPath, const std::string& title);

}  // namespace CupsJobs
