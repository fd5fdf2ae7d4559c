#include "platform/posix/CupsJobs.h"

#include <cups/cups.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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

// The whole document, or a failure: a document read only in part must never
// be printed. Read with the system calls themselves, since a stream takes a
// read error for the end of the file.
template <typename Refused> std::string readWhole(const std::string& path, const Refused& refused)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Failure("The printed document is missing: " + path);
    struct stat info {};
    std::string content;
    std::string problem;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = "the document " + path + " is not a file";
    } else {
        content.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < content.size()) {
            const ssize_t n = ::read(fd, &content[got], content.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                problem = "the document " + path + " cannot be read whole ("
                          + (n < 0 ? std::strerror(errno) : "it ended early") + ")";
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        if (problem.empty() && content.empty())
            problem = "the document " + path + " is empty";
    }
    ::close(fd);
    if (!problem.empty())
        throw refused(problem);
    return content;
}

int keepWaiting(http_t*, void* givenUp)
{
    return !static_cast<const std::atomic<bool>*>(givenUp)->load() ? 1 : 0;
}

// A connection of its own to the scheduler for the requests of one job. It
// stops waiting for an answer once the job's requests are given up on, so a
// scheduler that wakes up later gets nothing more from us.
class Connection final {
public:
    explicit Connection(const std::atomic<bool>& givenUp)
        : m_http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              static_cast<int>(CupsService::AnswerLimitSeconds * 1000), nullptr))
    {
        if (!m_http) {
            checkReachable();
            throw Failure(cupsLastErrorString());
        }
        httpSetTimeout(m_http, 0.25, keepWaiting, const_cast<std::atomic<bool>*>(&givenUp));
    }
    ~Connection() { httpClose(m_http); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    http_t* http() const { return m_http; }

private:
    http_t* m_http;
};

// The destination's name (the default one's for null); empty when there is none.
std::string destinationName(const char* name)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name, nullptr);
    if (!dest) {
        checkReachable();
        return {};
    }
    std::string found = dest->name;
    cupsFreeDests(1, dest);
    return found;
}

}  // namespace

bool queueExists(const std::string& queue)
{
    return !queue.empty() && !destinationName(queue.c_str()).empty();
}

std::string defaultQueue()
{
    return destinationName(nullptr);
}

int submitPdf(const std::string& queue, const std::string& pdfPath, const std::string& title,
              const std::vector<JobOption>& options, const std::atomic<bool>& givenUp)
{
    const auto refused = [&](const std::string& what) {
        return Failure("Printing \"" + title + "\" on \"" + queue + "\" failed: " + what);
    };
    const std::string document = readWhole(pdfPath, refused);
    std::optional<Connection> connection;
    try {
        connection.emplace(givenUp);
    } catch (const Failure& failure) {
        throw refused(failure.what());
    }
    http_t* const http = connection->http();

    cups_option_t* cupsOptions = nullptr;
    int optionCount = 0;
    for (const auto& option : options)
        optionCount = cupsAddOption(option.name.c_str(), option.value.c_str(), optionCount, &cupsOptions);
    const int job = cupsCreateJob(http, queue.c_str(), title.c_str(), optionCount, cupsOptions);
    cupsFreeOptions(optionCount, cupsOptions);
    if (job == 0) {
        const std::string reason = cupsLastErrorString();
        const std::string unreachable = CupsService::unreachable();
        throw refused(unreachable.empty() ? reason : unreachable);
    }
    // A job whose document does not arrive whole is cancelled, not left open.
    const auto cancelled = [&](const std::string& reason) {
        cupsCancelJob2(http, queue.c_str(), job, 0);
        return refused(reason);
    };
    if (cupsStartDocument(http, queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE)
        throw cancelled(cupsLastErrorString());
    constexpr std::size_t Chunk = 64 * 1024;
    for (std::size_t at = 0; at < document.size(); at += Chunk) {
        const std::size_t size = std::min(Chunk, document.size() - at);
        if (cupsWriteRequestData(http, document.data() + at, size) != HTTP_STATUS_CONTINUE) {
            const std::string reason = cupsLastErrorString();
            cupsFinishDocument(http, queue.c_str());
            throw cancelled(reason);
        }
    }
    if (cupsFinishDocument(http, queue.c_str()) != IPP_STATUS_OK)
        throw cancelled(cupsLastErrorString());
    return job;
}

void releaseJob(const std::string& queue, int job, const std::atomic<bool>& givenUp)
{
    const Connection connection(givenUp);
    ipp_t* request = ippNewRequest(IPP_OP_RELEASE_JOB);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/jobs/%d", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippDelete(cupsDoRequest(connection.http(), request, "/jobs/"));
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        throw Failure("Printing on \"" + queue + "\" failed: job " + std::to_string(job) + " could not be released ("
                      + cupsLastErrorString() + ")");
}

void cancelJob(const std::string& queue, int job, const std::atomic<bool>& givenUp)
{
    const Connection connection(givenUp);
    cupsCancelJob2(connection.http(), queue.c_str(), job, 0);
}

}  // namespace CupsJobs
