#include "printing/posix/DrawingPrint.h"

#include <cstdio>

#include "base/Failure.h"
#include "platform/posix/CupsJobs.h"
#include "platform/posix/BoundedCall.h"
#include "platform/posix/CupsPaper.h"
#include "platform/posix/CupsService.h"
#include "printing/posix/PaperChoice.h"
#include "printing/posix/RenderedPdf.h"

namespace {

struct Part {
    std::string path;
    std::vector<CupsJobs::JobOption> options;
};

// The documents to submit: the drawing's own PDF where one job takes all its
// pages, else one PDF per job. Nothing is submitted before all are written.
std::vector<Part> partsOf(const std::string& queue, const std::string& pdfPath, const BoundedCall& printService)
{
    const RenderedPdf pdf(pdfPath);
    if (pdf.pageSizes().empty())
        return {{pdfPath, {}}};
    const auto sizes = pdf.pageSizes();
    const auto jobs = printService.get<std::vector<PaperJob>>(
        [queue, sizes](const std::atomic<bool>&) {
            const CupsPaper::QueuePaper paper(queue);
            return choosePaper(sizes, [&](const std::string& media) { return paper.offers(media); });
        },
        CupsService::silentFor(printService.limitSeconds()));
    if (jobs.size() == 1)
        return {{pdfPath, jobs.front().options}};
    std::vector<Part> parts;
    try {
        for (const auto& job : jobs) {
            const std::string path = pdfPath + ".pages-" + std::to_string(job.firstPage + 1) + "-"
                                     + std::to_string(job.firstPage + job.pageCount) + ".pdf";
            parts.push_back({path, job.options});
            pdf.writePages(job.firstPage, job.pageCount, path);
        }
    } catch (const Failure&) {
        for (const auto& part : parts)
            std::remove(part.path.c_str());
        return {{pdfPath, {}}};
    }
    return parts;
}

}  // namespace

std::vector<int> printDrawing(const std::string& queue, const std::string& pdfPath, const std::string& title,
                              const BoundedCall& printService)
{
    auto parts = partsOf(queue, pdfPath, printService);
    const std::string silent = CupsService::silentFor(printService.limitSeconds());
    // A drawing in several jobs prints whole or not at all: every part is
    // held until all are accepted, and only then released.
    const bool held = parts.size() > 1;
    if (held) {
        for (auto& part : parts)
            part.options.push_back({"job-hold-until", "indefinite"});
    }
    std::vector<int> jobs;
    try {
        for (const auto& part : parts)
            jobs.push_back(printService.get<int>(
                [queue, part, title](const std::atomic<bool>& givenUp) {
                    return CupsJobs::submitPdf(queue, part.path, title, part.options, givenUp);
                },
                silent));
        if (held) {
            printService.run(
                [queue, jobs](const std::atomic<bool>& givenUp) {
                    for (const int job : jobs)
                        CupsJobs::releaseJob(queue, job, givenUp);
                },
                silent);
        }
    } catch (...) {
        // Whatever went wrong, no part is left to print alone.
        for (const int job : jobs) {
            try {
                printService.run([queue, job](const std::atomic<bool>& givenUp) { CupsJobs::cancelJob(queue, job, givenUp); },
                                 silent);
            } catch (...) {
            }
        }
        for (const auto& part : parts) {
            if (part.path != pdfPath)
                std::remove(part.path.c_str());
        }
        throw;
    }
    // The scheduler keeps its own copy of each part.
    for (const auto& part : parts) {
        if (part.path != pdfPath)
            std::remove(part.path.c_str());
    }
    return jobs;
}
