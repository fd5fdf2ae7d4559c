#pragma once

#include "platform/Printers.h"
#include "platform/posix/PrintServiceCalls.h"

// The printers of the CUPS scheduler that libcups reaches (CUPS_SERVER and the
// client configuration decide which): its queues, in the scheduler's order by
// name, and the default destination. The scheduler is asked off the window's
// thread, and a scheduler that does not answer in time is a failure.
class CupsPrinters final : public Printers {
public:
    CupsPrinters(EventPump& events, const Lifetime& lifetime, double limitSeconds = CupsService::AnswerLimitSeconds);
    std::vector<std::string> names() override;
    std::string defaultName() override;

private:
    PrintServiceCalls m_printService;
};
