#pragma once

#include <string>
#include <vector>

#include "base/Failure.h"
#include "fakes/CallRecord.h"
#include "platform/Printers.h"

// A fixed set of printers. With none at all, reading the default fails as the
// system's printers do. Calls read "printers names" and "printers default".
class FakePrinters final : public Printers {
public:
    std::vector<std::string> names() override
    {
        calls("printers", "names");
        ++reads;
        return printers;
    }
    std::string defaultName() override
    {
        calls("printers", "default");
        if (printers.empty())
            throw Failure("No printers are installed");
        return defaultPrinter;
    }

    std::vector<std::string> printers;
    std::string defaultPrinter;
    int reads = 0;
    CallRecord calls;
};
