#include "printing/posix/DrawingPrint.h"

#include <cctype>
#include <cstdio>

#include "base/Failure.h"
#include "platform/posix/CupsJobs.h"
#include "platform/posix/PrintServiceCalls.h"
#include "platform/posix/CupsPaper.h"
#include "printing/posix/PaperChoice.h"
#include "printing/posix/RenderedPdf.h"

namespace {

struct Part {
    std::string path;
    std::vector<CupsJobs::JobOption> options;
    int pages = 0;  // 0: not known
};

// Removes the PDFs written for the parts; the drawing's own PDF stays.
void removeWritten(const std::vector<Part>& parts, const std::string& pdfPath)
{
    for (const auto& part : parts) {
        if (part.path != pdfPath)
            std::remove(part.path.c_str());
    }
}

// The paper a job asks for, as people call it: "A3", "Letter", "914x1500mm"
// for a custom size; empty for the queue's default paper.
std::string paperOf(const std::vector<CupsJobs::JobOption>& options)
{
    for (const auto& option : options) {
        if (option.name != "media")
            continue;
        // PWG names are class_name_size: iso_a3_297x420mm, na_letter_8.5x11in.
        const std::string& media = option.value;
        const std::size_t first = media.find('_');
        const std::size_t last = media.rfind('_');
        if (first == std::string::npos || last == first)
            return media;
        if (media.compare(0, first, "custom") == 0)
            return media.substr(last + 1);
        std::string name = media.substr(first + 1, last - first - 1);
        const bool sized = name.size() > 1 && name.find_first_not_of("0123456789", 1) == std::string::npos;
        for (std::size_t i = 0; i < name.size() && (i == 0 || sized); ++i)
            name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
        return name;
    }
    return {};
}

// The documents to submit: the drawing's own PDF where one job takes all its
// pages, else one PDF per job. Nothing is submitted before all are written.
std::vector<Part> partsOf(const std::string& queue, const std::string& pdfPath, const PrintServiceCalls& printService)
{
    const RenderedPdf pdf(pdfPath);
    if (pdf.pageSizes().empty())
        return {{pdfPath, {}, 0}};
    const auto sizes = pdf.pageSizes();
    const int pages = static_cast<int>(sizes.size());
    const auto jobs = printService.get<std::vector<PaperJob>>([queue, sizes](const std::atomic<bool>&) {
        const CupsPaper::QueuePaper paper(queue);
        return choosePaper(sizes, [&](const std::string& media) { return paper.offers(media); });
    });
    if (jobs.size() == 1)
        return {{pdfPath, jobs.front().options, pages}};
    std::vector<Part> parts;
    try {
        for (const auto& job : jobs) {
            const std::string path = pdfPath + ".pages-" + std::to_string(job.firstPage + 1) + "-"
                                     + std::to_string(job.firstPage + job.pageCount) + ".pdf";
            parts.push_back({path, job.options, static_cast<int>(job.pageCount)});
            pdf.writePages(job.firstPage, job.pageCount, path);
        }
    } catch (const Failure&) {
        removeWritten(parts, pdfPath);
        return {{pdfPath, {}, pages}};
    }
    return parts;
}

}  // namespace

std::vector<SentJob> printDrawing(const std::string& queue, const std::string& pdfPath, const std::string& title,
                                  const PrintServiceCalls& printService)
{
    auto parts = partsOf(queue, pdfPath, printService);
    // A drawing in several jobs prints whole or not at all: every part is
    // held until all are accepted, and only then released.
    const bool held = parts.size() > 1;
    if (held) {
        for (auto& part : parts)
            part.options.push_back({"job-hold-until", "indefinite"});
    }
    std::vector<SentJob> jobs;
    try {
        for (const auto& part : parts) {
            const int id = printService.get<int>([queue, part, title](const std::atomic<bool>& givenUp) {
                return CupsJobs::submitPdf(queue, part.path, title, part.options, givenUp);
            });
            jobs.push_back({id, part.pages, paperOf(part.options)});
        }
        if (held) {
            printService.run([queue, jobs](const std::atomic<bool>& givenUp) {
                for (const SentJob& job : jobs)
                    CupsJobs::releaseJob(queue, job.id, givenUp);
            });
        }
    } catch (...) {
        // Whatever went wrong, no part is left to print alone.
        for (const SentJob& job : jobs) {
            try {
                printService.run([queue, id = job.id](const std::atomic<bool>& givenUp) {
                    CupsJobs::cancelJob(queue, id, givenUp);
                });
            } catch (...) {
            }
        }
        removeWritten(parts, pdfPath);
        throw;
    }
    // The scheduler keeps its own copy of each part.
    removeWritten(parts, pdfPath);
    return jobs;
}
