#include "platform/posix/CupsJobStates.h"

#include <cups/cups.h>
#include <chrono>
#include <map>
#include <memory>

#include "base/Failure.h"

namespace CupsJobStates {

namespace {

struct Deadline {
    std::chrono::steady_clock::time_point end;
};

// libcups asks whether to go on waiting each time the connection's timeout
// passes: only until the deadline.
int stillWaiting(http_t*, void* data)
{
    return std::chrono::steady_clock::now() < static_cast<Deadline*>(data)->end ? 1 : 0;
}

std::string texts(ipp_attribute_t* attribute, const char* left_out = nullptr)
{
    std::string joined;
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i) {
        const char* text = ippGetString(attribute, i, nullptr);
        if (!text || (left_out && std::string(text) == left_out))
            continue;
        joined += (joined.empty() ? "" : ", ") + std::string(text);
    }
    return joined;
}

using Connection = std::unique_ptr<http_t, void (*)(http_t*)>;

// The answer to a request, or a failure that says why there is none; null
// where the service knows no such job.
ipp_t* send(http_t* http, ipp_t* request, const char* what, const Deadline& deadline)
{
    ipp_t* response = cupsDoRequest(http, request, "/");
    const ipp_status_t status = response ? ippGetStatusCode(response) : cupsLastError();
    if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        ippDelete(response);
        return nullptr;
    }
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        const std::string reason = std::chrono::steady_clock::now() >= deadline.end
                                       ? std::string("it did not answer in time")
                                       : std::string(cupsLastErrorString());
        ippDelete(response);
        throw Failure(std::string("The print service did not tell ") + what + ": " + reason);
    }
    return response;
}

Printer printerOf(http_t* http, const std::string& uri, const Deadline& deadline)
{
    static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-state-reasons"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = send(http, request, "the printer's state", deadline);
    Printer printer;
    if (!response)
        return printer;
    printer.state
        = static_cast<ipp_pstate_t>(ippGetInteger(ippFindAttribute(response, "printer-state", IPP_TAG_ENUM), 0));
    const char* message = ippGetString(ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT), 0, nullptr);
    printer.message = message ? message : "";
    printer.reasons = texts(ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD), "none");
    ippDelete(response);
    return printer;
}

}  // namespace

std::vector<Answer> ask(const std::vector<int>& jobs, double timeoutSeconds)
{
    if (jobs.empty())
        return {};
    Deadline deadline{std::chrono::steady_clock::now()
                      + std::chrono::milliseconds(static_cast<long>(timeoutSeconds * 1000))};
    Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 static_cast<int>(timeoutSeconds * 1000), nullptr),
                    httpClose);
    if (!http)
        throw Failure("The print service (CUPS) cannot be reached: " + std::string(cupsLastErrorString()));
    httpSetTimeout(http.get(), 1.0, stillWaiting, &deadline);

    // One request for all the jobs.
    static const char* const wanted[] = {"job-id", "job-state", "job-state-reasons", "job-printer-uri"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddIntegers(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-ids", static_cast<int>(jobs.size()), jobs.data());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    ipp_t* response = send(http.get(), request, "where the jobs stand", deadline);
    if (!response) {
        // The service no longer knows one of the jobs (its history was
        // purged), and then answers for none: each is asked alone, and the
        // unknown ones are left out.
        std::vector<Answer> known;
        for (std::size_t i = 0; jobs.size() > 1 && i < jobs.size(); ++i) {
            const std::chrono::duration<double> left = deadline.end - std::chrono::steady_clock::now();
            const auto alone = ask({jobs[i]}, left.count());
            known.insert(known.end(), alone.begin(), alone.end());
        }
        return known;
    }
    std::vector<Answer> answers;
    std::vector<std::string> printerUris;
    Answer answer;
    std::string uri;
    const auto finish = [&] {
        if (answer.id != 0) {
            answers.push_back(answer);
            printerUris.push_back(uri);
        }
        answer = {};
        uri.clear();
    };
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (!name) {
            finish();
            continue;
        }
        const std::string n = name;
        if (n == "job-id")
            answer.id = ippGetInteger(a, 0);
        else if (n == "job-state")
            answer.state = static_cast<ipp_jstate_t>(ippGetInteger(a, 0));
        else if (n == "job-state-reasons")
            answer.stateReasons = texts(a, "none");
        else if (n == "job-printer-uri")
            uri = ippGetString(a, 0, nullptr) ? ippGetString(a, 0, nullptr) : "";
    }
    finish();
    ippDelete(response);

    // The printers of the jobs that did not print say whether they are stopped
    // and why.
    std::map<std::string, Printer> printers;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        if (answers[i].state == IPP_JSTATE_COMPLETED || printerUris[i].empty())
            continue;
        if (printers.find(printerUris[i]) == printers.end())
            printers[printerUris[i]] = printerOf(http.get(), printerUris[i], deadline);
        answers[i].printer = printers[printerUris[i]];
    }
    return answers;
}

}  // namespace CupsJobStates
