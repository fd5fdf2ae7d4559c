#pragma once

#include "platform/Printers.h"

// The printers of the CUPS scheduler that libcups reaches (CUPS_SERVER and the
// client configuration decide which): its queues, in the scheduler's order by
// name, and the default destination.
class CupsPrinters final : public Printers {
public:
    std::vector<std::string> names() override;
    std::string defaultName() override;
};
