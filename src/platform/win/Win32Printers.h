#pragma once

#include "platform/Printers.h"

// The printers of the print spooler: the local ones and the connections to
// shared printers, by device name, in the spooler's order.
class Win32Printers final : public Printers {
public:
    std::vector<std::string> names() override;
    std::string defaultName() override;
};
