#include "platform/posix/CupsPrinters.h"

#include <cups/cups.h>

#include "base/Failure.h"
#include "platform/posix/CupsService.h"

namespace {

struct Destinations {
    Destinations()
    {
        count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list);
        if (count > 0)
            return;
        const ipp_status_t status = cupsLastError();
        const std::string reason = cupsLastErrorString();
        const std::string unreachable = CupsService::unreachable();
        if (!unreachable.empty())
            throw Failure(unreachable);
        if (status > IPP_STATUS_OK_EVENTS_COMPLETE)
            throw Failure("The printers cannot be read: " + reason);
        throw Failure("No printers are installed");
    }
    ~Destinations() { cupsFreeDests(count, list); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    cups_dest_t* list = nullptr;
    int count = 0;
};

}  // namespace

CupsPrinters::CupsPrinters(EventPump& events, const Lifetime& lifetime, double limitSeconds)
    : m_printService(events, lifetime, limitSeconds)
{
}

std::vector<std::string> CupsPrinters::names()
{
    return m_printService.get<std::vector<std::string>>([](const std::atomic<bool>&) {
        const Destinations destinations;
        std::vector<std::string> result;
        for (int i = 0; i < destinations.count; ++i) {
            // Saved option sets (queue/instance) are the same device: listed once.
            if (!destinations.list[i].instance)
                result.emplace_back(destinations.list[i].name);
        }
        return result;
    });
}

std::string CupsPrinters::defaultName()
{
    return m_printService.get<std::string>([](const std::atomic<bool>&) {
        const Destinations destinations;
        for (int i = 0; i < destinations.count; ++i) {
            if (destinations.list[i].is_default)
                return std::string(destinations.list[i].name);
        }
        return std::string();
    });
}
