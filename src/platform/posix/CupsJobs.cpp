#include "platform/posix/CupsJobs.h"

#include <cups/cups.h>
#include <fstream>
#include <vector>

#include "base/Failure.h"
#include "platform/posix/CupsService.h"

namespace CupsJobs {

namespace {

// A lookup that found nothing: libcups says the same when the scheduler
// cannot be reached at all, so that is asked directly.
void checkReachable()
{
    const std::string unreachable = CupsService::unreachable();
    if (!unreachable.empty())
        throw Failure(unreachable);
}

}  // namespace

bool queueExists(const std::string& queue)
{
    if (queue.empty())
        return false;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (dest) {
        cupsFreeDests(1, dest);
        return true;
    }
    checkReachable();
    return false;
}

std::string defaultQueue()
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) {
        checkReachable();
        return {};
    }
    std::string name = dest->name;
    cupsFreeDests(1, dest);
    return name;
}

int submitPdf(const std::string& queue, const std::string& pdfPath, const std::string& title)
{
    std::ifstream document(pdfPath, std::ios::binary);
    if (!document)
        throw Failure("The printed document is missing: " + pdfPath);
    const auto refused = [&](const std::string& what) {
        return Failure("Printing \"" + title + "\" on \"" + queue + "\" failed: " + what);
    };

    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), 0, nullptr);
    if (job == 0)
        throw refused(cupsLastErrorString());
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1)
        != HTTP_STATUS_CONTINUE) {
        const std::string reason = cupsLastErrorString();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
        throw refused(reason);
    }
    std::vector<char> buffer(64 * 1024);
    while (document) {
        document.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize got = document.gcount();
        if (got > 0 && cupsWriteRequestData(CUPS_HTTP_DEFAULT, buffer.data(), static_cast<size_t>(got))
                != HTTP_STATUS_CONTINUE) {
            const std::string reason = cupsLastErrorString();
            cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str());
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
            throw refused(reason);
        }
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) != IPP_STATUS_OK) {
        const std::string reason = cupsLastErrorString();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
        throw refused(reason);
    }
    return job;
}

}  // namespace CupsJobs
