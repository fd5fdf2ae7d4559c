#pragma once

#include <string>
#include <vector>

#include "base/Failure.h"
#include "platform/Printers.h"

// A fixed set of printers. With none at all, reading the default fails as the
// system's printers do.
class FakePrinters final : public Printers {
public:
    std::vector<std::string> names() override
    {
        ++reads;
        return printers;
    }
    std::string defaultName() override
    {
        if (printers.empty())
            throw Failure("No printers are installed");
        return defaultPrinter;
    }

    std::vector<std::string> printers;
    std::string defaultPrinter;
    int reads = 0;
};
